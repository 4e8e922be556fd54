// The video window: its components, its pop-up menu and its caption.
#include "player/VideoWindow.h"

#include "engine/TDSDVDGraph.h"
#include "engine/TDSFilterGraph2.h"
#include "engine/TDSTrackBar.h"
#include "engine/TDSVideoWindow.h"
#include "engine/TMediaPlayer.h"
#include "model/PlayerModel.h"
#include "model/ProductWebPage.h"
#include "platform/system/WindowPlacement.h"
#include "controls/MenuIcons.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QResizeEvent>
#include <QUrl>

TForm10* Form10 = nullptr;

namespace {

// One row of the video window's pop-up menu: level 1 items belong to the menu, level 2 items to
// the sub-menu of the level 1 item above. An empty name is a separator.
struct MenuRow {
    int level;
    const char* name;
    const char* caption;
    Qt::Key key = Qt::Key_unknown;
    const char* icon = "";
};

const MenuRow kPopupMenu[] = {
    {1, "Play2", "&Lecture", Qt::Key_F1, "play"},
    {1, "Pause2", "P&ause", Qt::Key_F2, "pause"},
    {1, "Stop2", "A&rrêt", Qt::Key_F3, "stop"},
    {1, "", ""},
    {1, "Goto2", "A&ller à"},
    {2, "Nextchapter2", "Chapitre &suivant", Qt::Key_F5, "next"},
    {2, "Previouschapter2", "Chapitre &précédent", Qt::Key_F6, "previous"},
    {2, "", ""},
    {2, "Chapter2", "&Chapitre ..."},
    {2, "Time2", "&Temps ..."},
    {2, "Title2", "T&itre ..."},
    {2, "", ""},
    {2, "MenuRoot2", "&Menu principal", Qt::Key_unknown, "menu"},
    {2, "Titlemenu2", "Menu du &titre"},
    {1, "Playspeed2", "&Vitesse de lecture"},
    {2, "Fastforward2", "&Avance rapide", Qt::Key_unknown, "forward"},
    {2, "Rewind2", "&Retour", Qt::Key_unknown, "rewind"},
    {1, "", ""},
    {1, "Configuration1", "&Configuration"},
    {2, "Audio1", "&Audio"},
    {2, "Soustitres1", "&Sous titres"},
    {2, "Angle1", "A&ngle"},
    {2, "Volume1", "&Volume...", Qt::Key_unknown, "volume"},
    {1, "", ""},
    {1, "Pleincran1", "&Plein écran", Qt::Key_F7, "fullscreen"},
    {1, "Zoom1", "&Zoom"},
    {2, "N11", "1"},
    {2, "N21", "2"},
    {2, "N31", "3"},
    {2, "N41", "4"},
    {2, "N51", "5"},
    {1, "", ""},
    {1, "Signets1", "&Signets"},
    {2, "Mettreunsignet1", "&Mettre un signet"},
    {2, "Allerausignet1", "&Aller au signet"},
    {2, "", ""},
    {2, "Suppressiondessignets1", "&Supprimer les signets"},
    {1, "", ""},
    {1, "Panneaudecommandes1", "&Panneau de commandes"},
    {1, "Ouvrirunfichiermultimdia1", "&Ouvrir un fichier multimédia...", Qt::Key_unknown, "open"},
    {1, "Ejecter1", "&Ejecter le disque"},
    {1, "", ""},
    {1, "VistrelsurInternet1", "&Vistrel sur Internet...", Qt::Key_unknown, "internet"},
    {1, "", ""},
    {1, "Quitter1", "&Quitter", Qt::Key_unknown, "quit"},
};

}  // namespace

TForm10::TForm10(PlayerModel& model)
    : Model(model)
{
    setObjectName(QStringLiteral("Form10"));
    platform::DesignWindow(*this, QStringLiteral("Vistrel"), platform::BorderStyle::SizeableBare, {639, 461});
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);

    // The two graphs: the file graph connects as soon as it is loaded, the DVD graph when a disc
    // is played. Both register in the running object table.
    FilterGraph = new TDSFilterGraph2(this);
    FilterGraph->setObjectName(QStringLiteral("FilterGraph"));
    FilterGraph->SetAutoConnect(true);
    FilterGraph->SetConnectKind(ckRunningOrNew);
    FilterGraph->SetRotEnabled(true);
    DVDGraph = new TDSDVDGraph(this);
    DVDGraph->setObjectName(QStringLiteral("DVDGraph"));
    DVDGraph->SetAutoConnect(false);
    DVDGraph->SetConnectKind(ckRunningOrNew);
    DVDGraph->SetRotEnabled(true);

    dvdx8 = new TDSVideoWindow(this);
    dvdx8->setObjectName(QStringLiteral("dvdx8"));
    // The CD player: placed on the video control, never visible; the device is chosen from the
    // element's ".cda" ending.
    MediaPlayer1 = new TMediaPlayer(dvdx8);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->DeviceType = dtAutoSelect;
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->hide();
    DSTrackBar1 = new TDSTrackBar(Panel1);
    DSTrackBar1->setObjectName(QStringLiteral("DSTrackBar1"));
    DSTrackBar1->setGeometry(1, 5, 637, 25);
    DSTrackBar1->setCursor(Qt::PointingHandCursor);
    DSTrackBar1->SetMin(0);
    DSTrackBar1->SetMax(70);
    DSTrackBar1->SetPosition(0);
    DSTrackBar1->SetThumbLength(15);

    BuildPopupMenu();
    dvdx8->SetPopupMenu(PopupMenu1);
    ConnectBehaviour();

    // Loading done: the stored properties are in place.
    FilterGraph->Loaded();
    DVDGraph->Loaded();
    dvdx8->Loaded();
    dvdx8->SetGraph(DVDGraph);
    DSTrackBar1->SetGraph(FilterGraph);
    Realign();

    connect(&Model, &PlayerModel::StateChanged, this, &TForm10::ShowState);

    // Visible from creation.
    show();
}

TForm10::~TForm10()
{
    // The controls let go of the graphs before the graphs go.
    dvdx8->SetGraph(nullptr);
    DSTrackBar1->SetGraph(nullptr);
}

void TForm10::BuildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* subMenu = nullptr;
    for (const MenuRow& row : kPopupMenu) {
        QMenu* into = row.level == 1 ? PopupMenu1 : subMenu;
        if (!into)
            continue;
        if (!*row.name) {
            into->addSeparator();
            continue;
        }
        QAction* action = into->addAction(QString::fromUtf8(row.caption));
        action->setObjectName(QString::fromLatin1(row.name));
        if (*row.icon)
            action->setIcon(MenuIcon(QString::fromLatin1(row.icon)));
        if (row.key != Qt::Key_unknown) {
            action->setShortcut(QKeySequence(row.key));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);  // the shortcut works while the window is active
        }
        if (row.level == 1) {
            subMenu = nullptr;
            // A level 1 item followed by level 2 rows carries their sub-menu.
            const auto* next = &row + 1;
            if (next != std::end(kPopupMenu) && next->level == 2) {
                subMenu = new QMenu(PopupMenu1);
                action->setMenu(subMenu);
            }
        }
    }
    if (QAction* zoom1 = MenuItem(QStringLiteral("N11"))) {
        for (const char* name : {"N11", "N21", "N31", "N41", "N51"})
            MenuItem(QString::fromLatin1(name))->setCheckable(true);
        zoom1->setChecked(true);
    }
    ConnectMenu();
}

void TForm10::ConnectMenu()
{
    const std::pair<const char*, void (TForm10::*)()> handlers[] = {
        {"Play2", &TForm10::PlayMedium},
        {"Pause2", &TForm10::PauseMedium},
        {"Stop2", &TForm10::StopMedium},
        {"Nextchapter2", &TForm10::NextChapter},
        {"Previouschapter2", &TForm10::PreviousChapter},
        {"Fastforward2", &TForm10::FastForward},
        {"Rewind2", &TForm10::Rewind},
        {"Chapter2", &TForm10::Chapter2Click},
        {"Time2", &TForm10::Time2Click},
        {"Title2", &TForm10::Title2Click},
        {"MenuRoot2", &TForm10::ShowRootMenu},
        {"Titlemenu2", &TForm10::ShowTitleMenu},
        {"Ouvrirunfichiermultimdia1", &TForm10::Ouvrirunfichiermultimdia1Click},
        {"VistrelsurInternet1", &TForm10::VistrelsurInternet1Click},
        {"Quitter1", &TForm10::Quitter1Click},
        {"Audio1", &TForm10::Audio1Click},
        {"Soustitres1", &TForm10::Soustitres1Click},
        {"Angle1", &TForm10::Angle1Click},
        {"Mettreunsignet1", &TForm10::Mettreunsignet1Click},
        {"Allerausignet1", &TForm10::Allerausignet1Click},
    };
    for (const auto& [name, handler] : handlers)
        if (QAction* action = MenuItem(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, handler);
}

QAction* TForm10::MenuItem(const QString& name) const
{
    return PopupMenu1->findChild<QAction*>(name);
}

void TForm10::Realign()
{
    if (!dvdx8 || !Panel1)
        return;  // still being built
    const int panelHeight = Panel1->isVisibleTo(this) ? 31 : 0;
    if (panelHeight)
        Panel1->setGeometry(0, height() - panelHeight, width(), panelHeight);
    if (VideoClientAligned)
        dvdx8->setGeometry(0, 0, width(), height() - panelHeight);
}

void TForm10::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Realign();
    FormResize();
}

void TForm10::ShowState(PlaybackState state)
{
    switch (state) {
    case PlaybackState::Loading:
        setWindowTitle(QStringLiteral("Vistrel - Chargement..."));
        break;
    case PlaybackState::Playing:
    case PlaybackState::ScanningForward:
    case PlaybackState::ScanningBackward:
        setWindowTitle(QStringLiteral("Vistrel - Lecture"));
        break;
    case PlaybackState::Paused:
        setWindowTitle(QStringLiteral("Vistrel - Pause"));
        break;
    case PlaybackState::Stopped:
    case PlaybackState::Error:
        setWindowTitle(QStringLiteral("Vistrel - Arrêt"));
        break;
    }
}

void TForm10::Quitter1Click()
{
    Model.Panel().Quit();
}

void TForm10::Ouvrirunfichiermultimdia1Click()
{
    StopMedium();
    Model.Panel().OpenMedium();
}

void TForm10::VistrelsurInternet1Click()
{
    QDesktopServices::openUrl(ProductWebPage());
}
