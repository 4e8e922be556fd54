// The panel's skin: reading and writing interface.dat, and dressing the panel from the live record.
#include "panel/ControlPanel.h"

#include "controls/VOzariButton.h"
#include "panel/PictureButton.h"
#include "panel/SkinOutline.h"
#include "panel/SkinPicture.h"
#include "panel/StatusDisplay.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/ProgramFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPainter>

namespace {

// The folder of the default skin pictures: beside the program, or the installed data folder.
QString DefaultSkinFolder()
{
    return QFileInfo(platform::DataFile(QStringLiteral("interface.bmp"))).absolutePath() + QLatin1Char('/');
}

}  // namespace

bool TForm1::LoadSkin()
{
    QFile file(SkinFile());
    if (!file.exists()) {
        Skin = SkinRecord::Defaults(DefaultSkinFolder());
        return Dress();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ShowSkinError(QStringLiteral("Erreur de lecture du fichier « %1 » : %2.").arg(SkinFile(), file.errorString()));
        return false;
    }
    const std::optional<SkinRecord> record = SkinRecord::FromBytes(file.read(SkinRecord::kSize));
    if (!record) {
        ShowSkinError(QStringLiteral("Erreur de lecture du fichier « %1 » : il est trop court pour être une interface.")
                      .arg(SkinFile()));
        return false;
    }
    Skin = *record;
    return Dress();
}

bool TForm1::SaveSkin()
{
    const QString unrepresentable = Skin.Unrepresentable();
    if (!unrepresentable.isEmpty()) {
        ShowSkinError(SkinPathProblem(unrepresentable));
        return false;
    }
    // Written beside its place and renamed into it: an interrupted save leaves the old file whole.
    QString reason;
    if (!platform::WriteFileAtomically(SkinFile(), *Skin.ToBytes(), &reason)) {
        ShowSkinError(QStringLiteral("Erreur d'écriture du fichier « %1 » : %2.").arg(SkinFile(), reason));
        return false;
    }
    return true;
}

bool TForm1::Dress()
{
    // Every picture first: a skin that cannot be read changes nothing of the panel.
    QString error;
    QImage face = ReadSkinPicture(Skin.Background, error);
    std::array<QImage, SkinRecord::ButtonCount> buttons;
    for (int i = 0; i < SkinRecord::ButtonCount && error.isEmpty(); ++i)
        buttons[i] = ReadSkinPicture(Skin.Buttons[i], error);
    if (!error.isEmpty()) {
        ShowSkinError(error);
        return false;
    }
    const QImage background = face;

    // The button pictures on the face, black transparent, a later one over an earlier one.
    face = face.convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&face);
        for (int i = 0; i < SkinRecord::ButtonCount; ++i)
            painter.drawImage(Skin.ButtonAt[i], WithBlackTransparent(buttons[i]));
    }
    FacePicture = face;
    resize(face.size());

    // The outline: whatever differs from the transparency colour. All transparent: a rectangle.
    const QColor key = ColourOf(Skin.TransparencyColour);
    const QRegion outline = OutlineOfFace(face, key.rgb());
    if (outline.isEmpty())
        clearMask();
    else
        setMask(outline);

    Image1->setGeometry(QRect(QPoint(0, 0), background.size()));
    Image1->setPixmap(QPixmap::fromImage(background));
    raise();

    // The status display: the screen colour, the record's font and colour, its place.
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, ColourOf(Skin.ScreenColour));
    Panel1->setPalette(palette);
    QFont font(Skin.FontName);
    font.setPointSize(std::clamp(Skin.FontSize, 1, 72));
    Panel1->setFont(font);
    Image2->setFont(font);
    Image2->SetTextColour(ColourOf(Skin.FontColour));
    Panel1->move(Skin.StatusAt);

    // The buttons where the skin puts them.
    for (int i = 0; i < SkinRecord::ButtonCount; ++i) {
        SpeedButtons[i]->SetPicture(buttons[i]);
        SpeedButtons[i]->move(Skin.ButtonAt[i]);
    }
    VOzariButton1->move(Skin.HelpAt);
    SpeedButton9->move(Skin.FullScreenAt);
    VOzariButton3->move(Skin.SkinEditorAt);
    VOzariButton2->move(Skin.QuitAt);
    update();
    return true;
}
