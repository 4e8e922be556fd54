// The skin editor's window: the preview of the panel, the choices, the element list and positions.
#include "panel/SkinEditor.h"

#include "controls/VOzariButton.h"
#include "panel/PanelButtons.h"
#include "panel/PictureButton.h"
#include "panel/ScreenFontDialog.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/WindowPlacement.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

platform::DeferredWindow<TForm2> Form2;

namespace {

struct PictureDesign {
    const char* name;
    const char* file;
    QPoint at;
    const char* hint;
};

// The preview's seven picture buttons, in the record's order, with their design pictures.
const PictureDesign kPictures[SkinRecord::ButtonCount] = {
    {"SpeedButton1", "prec.bmp", {8, 90}, "Chapitre précédent"},
    {"SpeedButton2", "remb.bmp", {40, 90}, "Retour"},
    {"SpeedButton3", "pause.bmp", {66, 90}, "Pause"},
    {"SpeedButton4", "lect.bmp", {92, 90}, "Lecture"},
    {"SpeedButton5", "stop.bmp", {117, 90}, "Stop"},
    {"SpeedButton6", "av.bmp", {144, 90}, "Avance"},
    {"SpeedButton7", "suiv.bmp", {170, 90}, "Chapitre suivant"},
};

const char* const kElementNames[TForm2::ElementCount] = {
    "Chapitre précédent", "Retour", "Configuration", "Aide",   "Plein écran", "Pause",
    "Lecture",            "Stop",   "Avance",        "Chapitre suivant", "Quitter", "Ecran"};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const QRect& at)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(at);
    return button;
}

QFrame* MakeSwatch(QWidget* parent, const char* name, const QRect& at)
{
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setGeometry(at);
    swatch->setAutoFillBackground(true);
    swatch->setCursor(Qt::PointingHandCursor);
    return swatch;
}

}  // namespace

TForm2::TForm2()
{
    setObjectName(QStringLiteral("Form2"));
    platform::DesignWindow(*this, QStringLiteral("Configuration de l'interface"), platform::BorderStyle::Dialog,
                           {442, 294});
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    setFont(font);
    BuildPreview();
    BuildChoices();
    BuildPositions();
}

TForm2::~TForm2() = default;

void TForm2::BuildPreview()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(70, 8, 302, 121);
    Panel1->setAutoFillBackground(true);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(black);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 300, 119);
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    for (int i = 0; i < SkinRecord::ButtonCount; ++i) {
        auto* button = new PictureButton(Panel1);
        button->setObjectName(QString::fromLatin1(kPictures[i].name));
        button->SetPicture(QImage(platform::DataFile(QString::fromLatin1(kPictures[i].file))));
        button->move(kPictures[i].at);
        button->setToolTip(QString::fromUtf8(kPictures[i].hint));
        SpeedButtons[i] = button;
    }
    VOzariButton3 = MakePanelShapedButton(Panel1, PanelShapedButton::SkinEditor);
    VOzariButton3->move(88, 97);
    VOzariButton1 = MakePanelShapedButton(Panel1, PanelShapedButton::Help);
    VOzariButton1->move(112, 97);
    SpeedButton9 = MakePanelShapedButton(Panel1, PanelShapedButton::FullScreen);
    SpeedButton9->move(136, 97);
    VOzariButton2 = MakePanelShapedButton(Panel1, PanelShapedButton::Quit);
    VOzariButton2->move(280, 13);

    Panel3 = new QLabel(QStringLiteral("Vistrel par QUENTRAX"), Panel1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(18, 23, 265, 58);
    Panel3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel3->setAutoFillBackground(true);
    QPalette aqua = Panel3->palette();
    aqua.setColor(QPalette::Window, QColor(0, 255, 255));
    Panel3->setPalette(aqua);

    // Every element is picked and dragged with the mouse.
    for (int element = 0; element < ElementCount; ++element)
        ElementWidget(element)->installEventFilter(this);
}

void TForm2::BuildChoices()
{
    BitBtn3 = MakeButton(this, "BitBtn3", "Image et forme de fond", {16, 160, 153, 25});
    BitBtn4 = MakeButton(this, "BitBtn4", "Couleur de transparence", {16, 192, 153, 25});
    Panel2 = MakeSwatch(this, "Panel2", {184, 192, 25, 25});
    BitBtn5 = MakeButton(this, "BitBtn5", "Police de l'écran", {16, 224, 153, 25});
    Panel4 = MakeSwatch(this, "Panel4", {184, 224, 25, 25});
    Panel2->installEventFilter(this);
    Panel4->installEventFilter(this);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm2::Image1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm2::BitBtn5Click);

    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->hide();

    Button1 = MakeButton(this, "Button1", "&Défaut", {24, 264, 75, 25});
    BitBtn1 = MakeButton(this, "BitBtn1", "&OK", {200, 264, 75, 25});
    BitBtn6 = MakeButton(this, "BitBtn6", "A&ppliquer", {280, 264, 75, 25});
    BitBtn2 = MakeButton(this, "BitBtn2", "&Annuler", {360, 264, 75, 25});
    BitBtn1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm2::BitBtn6Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
}

void TForm2::BuildPositions()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Positionnement des boutons "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(224, 152, 209, 97);
    const struct {
        const char* text;
        int top;
    } labels[] = {{"Bouton :", 20}, {"X :", 44}, {"Y :", 68}};
    for (const auto& label : labels)
        (new QLabel(QString::fromUtf8(label.text), GroupBox1))->setGeometry(8, label.top, 52, 16);

    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(64, 16, 137, 21);
    for (const char* name : kElementNames)
        ComboBox1->addItem(QString::fromUtf8(name));
    ComboBox1->setCurrentIndex(-1);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm2::ComboBox1Change);

    Edit1 = new QSpinBox(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(64, 40, 57, 21);
    Edit1->setRange(0, 800);
    Edit2 = new QSpinBox(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(64, 64, 57, 21);
    Edit2->setRange(0, 500);
    // Every keystroke that leaves a number moves the element.
    connect(Edit1, &QSpinBox::valueChanged, this, &TForm2::Edit1Change);
    connect(Edit2, &QSpinBox::valueChanged, this, &TForm2::Edit2Change);

    Image2 = new QLabel(GroupBox1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(136, 40, 57, 49);
    Image2->setScaledContents(true);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);
    Image2->hide();
}

void TForm2::showEvent(QShowEvent* event)
{
    BuildDialogs();
    QDialog::showEvent(event);
}

void TForm2::BuildDialogs()
{
    if (OpenPictureDialog1)
        return;
    auto pictureDialog = [this](const char* name) {
        auto* dialog = new QFileDialog(this, QStringLiteral("Ouvrir une image"));
        dialog->setObjectName(QString::fromLatin1(name));
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setNameFilter(QStringLiteral("Bitmaps (*.bmp)"));
        dialog->setDirectory(platform::ProgramFolder());
        dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Rechercher dans :"));
        dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
        dialog->setLabelText(QFileDialog::FileType, QStringLiteral("Type :"));
        dialog->setLabelText(QFileDialog::Accept, QStringLiteral("&Ouvrir"));
        dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
        return dialog;
    };
    OpenPictureDialog1 = pictureDialog("OpenPictureDialog1");
    OpenPictureDialog2 = pictureDialog("OpenPictureDialog2");
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
    ColorDialog1->setWindowTitle(QStringLiteral("Couleur"));
    FontDialog1 = new ScreenFontDialog(this);
}

QWidget* TForm2::ElementWidget(int element) const
{
    switch (element) {
    case Previous: return SpeedButtons[SkinRecord::Previous];
    case Rewind: return SpeedButtons[SkinRecord::Rewind];
    case SkinEditor: return VOzariButton3;
    case Help: return VOzariButton1;
    case FullScreen: return SpeedButton9;
    case Pause: return SpeedButtons[SkinRecord::Pause];
    case Play: return SpeedButtons[SkinRecord::Play];
    case Stop: return SpeedButtons[SkinRecord::Stop];
    case Forward: return SpeedButtons[SkinRecord::Forward];
    case Next: return SpeedButtons[SkinRecord::Next];
    case Quit: return VOzariButton2;
    case Screen: return Panel3;
    default: return nullptr;
    }
}

int TForm2::ElementOf(const QObject* object) const
{
    for (int element = 0; element < ElementCount; ++element)
        if (ElementWidget(element) == object)
            return element;
    return -1;
}
