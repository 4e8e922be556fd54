// The panel's four shaped buttons as designed.
#include "panel/PanelButtons.h"

#include "controls/VOzariButton.h"
#include "panel/PictureButton.h"
#include "platform/system/ProgramFolder.h"

namespace {

struct Design {
    const char* name;
    QRect at;
    const char* hint;
    TIAButtonKind kind;
    QColor colour, colour1;
};

const Design& DesignOf(PanelShapedButton which)
{
    static const Design designs[] = {
        {"VOzariButton1", {259, 89, 25, 25}, "Aide", bkElliptic, Qt::white, {}},
        {"SpeedButton9", {235, 89, 25, 25}, "Plein écran", bkElliptic, QColor(128, 128, 0), QColor(255, 255, 0)},
        {"VOzariButton3", {211, 89, 25, 25}, "Configuration de l'interface", bkElliptic, QColor(0, 255, 255),
         QColor(0, 128, 128)},
        {"VOzariButton2", {280, 5, 13, 15}, "Quitter", bkPolyStar, QColor(0, 255, 255), QColor(0, 0, 128)},
    };
    return designs[int(which)];
}

// A small picture of the program folder on the button's face, black transparent.
void SetFacePicture(TVOzariButton& button, const char* file)
{
    const QImage picture(platform::DataFile(QString::fromLatin1(file)));
    if (!picture.isNull())
        button.SetMainBitmap(WithBlackTransparent(picture));
}

}  // namespace

TVOzariButton* MakePanelShapedButton(QWidget* parent, PanelShapedButton which)
{
    const Design& design = DesignOf(which);
    auto* button = new TVOzariButton(parent);
    button->BeginLoading();
    button->setObjectName(QString::fromLatin1(design.name));
    button->setGeometry(design.at);
    button->setToolTip(QString::fromUtf8(design.hint));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->SetCaption({});
    button->SetTransparent(true);
    button->SetUserRGNAUTO(true);
    button->SetButton3DKind(dkNone);
    button->SetGradientKind(gkLinear);
    button->SetRadiusRatio(0.5);
    button->SetArcAngle(2.0943951023931957);
    button->SetRotated(false);
    button->SetButtonKind(design.kind);
    button->SetButtonColor(design.colour);
    if (design.colour1.isValid())
        button->SetButtonColor1(design.colour1);
    switch (which) {
    case PanelShapedButton::Help: {
        QFont font;
        font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                          QStringLiteral("DejaVu Serif")});
        font.setBold(true);
        font.setPixelSize(19);
        button->setFont(font);
        button->SetCaption(QStringLiteral("?"));
        break;
    }
    case PanelShapedButton::FullScreen:
        SetFacePicture(*button, "fullscreen.bmp");
        button->SetBitmapHAlign(haCenter);
        button->SetBitmapVAlign(vaCenter);
        break;
    case PanelShapedButton::SkinEditor:
        SetFacePicture(*button, "skinedit.bmp");
        break;
    case PanelShapedButton::Quit:
        break;
    }
    button->Loaded();
    return button;
}
