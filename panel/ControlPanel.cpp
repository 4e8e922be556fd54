// The control panel: its controls, creation, showing, dragging, pop-up menu and commands.
#include "panel/ControlPanel.h"

#include "controls/MenuIcons.h"
#include "controls/PiconeBarreTache.h"
#include "controls/VOzariButton.h"
#include "dialogs/DriveChooser.h"
#include "dialogs/MediaChooser.h"
#include "dialogs/SystemInformation.h"
#include "model/PlayerModel.h"
#include "model/ProductWebPage.h"
#include "panel/PanelButtons.h"
#include "panel/PictureButton.h"
#include "panel/StatusDisplay.h"
#include "platform/cdaudio/CdAudioDevice.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/system/MediaPlatform.h"
#include "platform/system/MessageBox.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/VolumeMixer.h"
#include "platform/system/WindowPlacement.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWindow>

TForm1* Form1 = nullptr;
QString TForm1::CommandLineMedium;

namespace {

// The door of a drive, through the CD audio device opened on it.
bool WorkDoor(const QString& drive, bool open)
{
    cdaudio::CdAudioDevice device;
    if (drive.isEmpty() || device.open(drive.toStdString(), true) != 0)
        return false;
    const bool obeyed = (open ? device.openDoor() : device.closeDoor()) == 0;
    device.close();
    return obeyed;
}

struct PictureButtonDesign {
    const char* name;
    QPoint at;
    const char* hint;
    bool hand;
    void (TForm1::*click)();
};

// The seven picture buttons, in the skin record's order.
const PictureButtonDesign kPictureButtons[SkinRecord::ButtonCount] = {
    {"SpeedButton1", {13, 90}, "Chapitre précédent", false, &TForm1::Previouschapter1Click},
    {"SpeedButton2", {44, 90}, "Retour", false, &TForm1::Rewind1Click},
    {"SpeedButton3", {69, 90}, "Pause", true, &TForm1::Pause1Click},
    {"SpeedButton4", {94, 90}, "Lecture", true, &TForm1::Play1Click},
    {"SpeedButton5", {119, 90}, "Stop", true, &TForm1::Stop1Click},
    {"SpeedButton6", {146, 90}, "Avance", false, &TForm1::FastForward1Click},
    {"SpeedButton7", {171, 90}, "Chapitre suivant", false, &TForm1::NextChapter1Click},
};

}  // namespace

std::function<bool(const QString&, bool)> TForm1::DoorCommand = WorkDoor;

TForm1::TForm1(PlayerModel& model)
    : Model(model)
{
    setObjectName(QStringLiteral("Form1"));
    platform::DesignWindow(*this, QStringLiteral("Vistrel"), platform::BorderStyle::None, {302, 121},
                           QPoint(10, 10));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    QFont panelFont;
    panelFont.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                           QStringLiteral("DejaVu Serif")});
    panelFont.setPointSize(8);
    setFont(panelFont);

    BuildControls();
    BuildShapedButtons();
    BuildPopupMenu();
    PiconeBarreTache1 = new TPiconeBarreTache(this);
    PiconeBarreTache1->setObjectName(QStringLiteral("PiconeBarreTache1"));
    PiconeBarreTache1->SetReduireSiFin(false);
    PiconeBarreTache1->SetPetiteIconeVisible(true);
    PiconeBarreTache1->SetGrandeIconeVisible(true);
    PiconeBarreTache1->SetApplicationCachee(false);
    PiconeBarreTache1->SetIcone(MenuIcon(QStringLiteral("play")));
    PiconeBarreTache1->SetHint(QStringLiteral("Vistrel"));
    PiconeBarreTache1->Loaded();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::BuildControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 302, 121);
    Image1->installEventFilter(this);  // mouse down, move and up drag the window

    for (int i = 0; i < SkinRecord::ButtonCount; ++i) {
        const PictureButtonDesign& design = kPictureButtons[i];
        auto* button = new PictureButton(this);
        button->setObjectName(QString::fromLatin1(design.name));
        button->move(design.at);
        button->setToolTip(QString::fromUtf8(design.hint));
        if (design.hand)
            button->setCursor(Qt::PointingHandCursor);
        connect(button, &PictureButton::clicked, this, design.click);
        SpeedButtons[i] = button;
    }

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(18, 23, 265, 58);
    Panel1->setAutoFillBackground(true);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, QColor(0, 255, 255));
    Panel1->setPalette(panelPalette);

    Image2 = new StatusDisplay(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(1, 1, 263, 56);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(136, 0, 25, 17);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->hide();
}

void TForm1::BuildShapedButtons()
{
    VOzariButton1 = MakePanelShapedButton(this, PanelShapedButton::Help);
    SpeedButton9 = MakePanelShapedButton(this, PanelShapedButton::FullScreen);
    VOzariButton3 = MakePanelShapedButton(this, PanelShapedButton::SkinEditor);
    VOzariButton2 = MakePanelShapedButton(this, PanelShapedButton::Quit);
    connect(VOzariButton1, &QPushButton::clicked, this, &TForm1::Aide1Click);
    connect(SpeedButton9, &QPushButton::clicked, this, &TForm1::FullScreen1Click);
    connect(VOzariButton3, &QPushButton::clicked, this, &TForm1::VOzariButton3Click);
    connect(VOzariButton2, &QPushButton::clicked, this, &TForm1::Exit1Click);
}

void TForm1::FormCreate()
{
    // The splash's progress runs from 0 to 100 in one blocking run; then the splash goes.
    for (int i = 0; i <= 300000; ++i)
        Model.StartUpProgress().SetProgress(i / 3000);
    Model.StartUpProgress().Finish();
    // A DVD is the medium until another is chosen.
    Model.SetMedium(QString::fromLatin1(kDvdKind), {});
    ProgramFolder = platform::ProgramFolder();
    Settings = platform::SettingsFolder();
    move(10, 10);
    Dragging = false;
    LoadSkin();
    Image2->TextOut(5, 5, QStringLiteral("Prêt"));
    raise();
    DoorOpen = false;
    CheckMediaPlatform();
    PiconeBarreTache1->SetMenuPop(PopupMenu1);
}

void TForm1::CheckMediaPlatform()
{
    if (platform::MediaPlatformVersion() != QLatin1String("Non Installé"))
        return;
    platform::ShowMessageBox({nullptr, QStringLiteral("Erreur"),
                              QStringLiteral("Vistrel ne peut fonctionner sur cet ordinateur.\n"
                                             "Vous devez installer FFmpeg 5, libdvdnav 6 et SDL 2 ou supérieurs."),
                              platform::MessageIcon::Warning});
}

void TForm1::BuildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const struct {
        const char* name;
        const char* caption;
        const char* icon;
        void (TForm1::*click)();
    } items[] = {
        {"Ouvrirunfichiermultimdia1", "&Ouvrir un fichier multimédia...", "open", &TForm1::Ouvrirunfichiermultimdia1Click},
        {"Volume1", "&Volume...", "volume", &TForm1::Volume1Click},
        {"Ejecterledisque1", "&Ejecter le disque", "", &TForm1::Ejecterledisque1Click},
        {"", "", "", nullptr},
        {"VistrelsurInternet1", "Vistrel sur Internet...", "internet", &TForm1::VistrelsurInternet1Click},
        {"Informations1", "&Informations...", "", &TForm1::Informations1Click},
        {"", "", "", nullptr},
        {"Quitter1", "&Quitter", "", &TForm1::Quitter1Click},
    };
    for (const auto& item : items) {
        if (!item.click) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction* action = PopupMenu1->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        if (*item.icon)
            action->setIcon(MenuIcon(QString::fromLatin1(item.icon)));
        connect(action, &QAction::triggered, this, item.click);
    }
    Ejecterledisque1 = PopupMenu1->findChild<QAction*>(QStringLiteral("Ejecterledisque1"));
    Quitter1 = PopupMenu1->findChild<QAction*>(QStringLiteral("Quitter1"));
}

void TForm1::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow()
{
    // The drive question waits until the panel is on the screen: a dialog run from inside the
    // panel's showing would stay unpainted.
    if (!QFile::exists(Settings + QStringLiteral("config.dat")) && Form13) {
        QTimer::singleShot(0, this, [this] {
            Form13->exec();
            FinishShowing();
        });
        return;
    }
    FinishShowing();
}

void TForm1::FinishShowing()
{
    ReadConfig();
    // The default drive is where the DVD navigator looks first.
    dvd::SetPreferredVolume(Model.CurrentMedium().MediaDrive);
    Model.Commands().ShowVideoWindow();
    if (!CommandLineMedium.isEmpty()) {
        const QString medium = CommandLineMedium;
        CommandLineMedium.clear();
        if (Model.TakeMedium(medium)) {
            PiconeBarreTache1->SetMenuPop(Model.Commands().PopupMenu());
            QTimer::singleShot(0, this, [this] { Model.Commands().PlayMedium(); });
        }
    }
}

void TForm1::ReadConfig()
{
    // Without config.dat (the drive chooser closed without a choice) the drive stays empty.
    // The drive is taken from the file's text, not from the memo, which would turn a no-break space
    // or a lone CR of a path into something else.
    QString text;
    QFile config(Settings + QStringLiteral("config.dat"));
    if (config.open(QIODevice::ReadOnly))
        text = ConfigText(config.readAll());
    Memo1->setPlainText(text);
    Model.SetMediaDrive(ConfigDrive(text));
}

void TForm1::ShowPanel()
{
    show();
    raise();
    activateWindow();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1)
        DragMouse(event);
    return QWidget::eventFilter(watched, event);
}

void TForm1::DragMouse(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // The window system moves the window itself where it can (a compositor, XWayland);
        // otherwise the window follows the pointer from here.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove())
            return;
        Dragging = true;
        DragStart = Image1->mapTo(this, mouse->position().toPoint());
        break;
    }
    case QEvent::MouseMove:
        if (Dragging) {
            const QPoint at = Image1->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
            move(x() + at.x() - DragStart.x(), y() + at.y() - DragStart.y());
        }
        break;
    case QEvent::MouseButtonRelease:
        Dragging = false;
        break;
    default:
        break;
    }
}

void TForm1::Play1Click() { Model.Commands().PlayMedium(); }
void TForm1::Pause1Click() { Model.Commands().PauseMedium(); }
void TForm1::Stop1Click() { Model.Commands().StopMedium(); }
void TForm1::NextChapter1Click() { Model.Commands().NextChapter(); }
void TForm1::Previouschapter1Click() { Model.Commands().PreviousChapter(); }
void TForm1::FastForward1Click() { Model.Commands().FastForward(); }
void TForm1::Rewind1Click() { Model.Commands().Rewind(); }
void TForm1::FullScreen1Click() { Model.Commands().ToggleFullScreen(); }

void TForm1::Aide1Click()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(platform::DataFile(QStringLiteral("aide.htm"))));
}

void TForm1::VOzariButton3Click()
{
    SkinRecord edited = Skin;
    if (RunSkinEditor && RunSkinEditor(edited)) {
        Skin = edited;
        SaveSkin();
        Dress();
    } else {
        // Whatever Apply changed goes: the skin on disk (or the defaults) comes back.
        LoadSkin();
    }
}

void TForm1::Ouvrirunfichiermultimdia1Click()
{
    Model.Commands().ClearFileGraph();
    if (!Form12 || Form12->exec() != QDialog::Accepted || !Form12->ChooserAccepted)
        return;
    Image2->Clear();
    if (!Form12->ChosenVolume.isEmpty())
        dvd::SetPreferredVolume(Form12->ChosenVolume);
    if (!Form12->ChosenDrive.isEmpty())
        Model.SetMediaDrive(Form12->ChosenDrive);
    Model.SetMedium(Form12->ChosenKind.left(4), Form12->ChosenFile);
    Model.Commands().PlayMedium();
    PiconeBarreTache1->SetMenuPop(Model.Commands().PopupMenu());
}

void TForm1::Volume1Click()
{
    platform::OpenVolumeMixer();
}

void TForm1::Ejecterledisque1Click()
{
    if (!DoorCommand || !DoorCommand(Model.CurrentMedium().MediaDrive, !DoorOpen))
        return;
    DoorOpen = !DoorOpen;
    Ejecterledisque1->setText(DoorOpen ? QStringLiteral("&Refermer") : QStringLiteral("&Ejecter le disque"));
}

void TForm1::VistrelsurInternet1Click()
{
    QDesktopServices::openUrl(ProductWebPage());
}

void TForm1::Informations1Click()
{
    if (Form11)
        Form11->exec();
}

void TForm1::Quitter1Click()
{
    Exit1Click();
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    Model.RequestQuit();
}
