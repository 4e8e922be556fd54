#include "player/TForm10.h"

#include "panel/TForm1.h"
#include "platform/system/WindowPlacement.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QVBoxLayout>

TForm10* Form10 = nullptr;

namespace {

// One row of the video window's pop-up menu: level 1 items belong to the menu, level 2 items to
// the sub-menu of the level 1 item above. An empty name is a separator.
struct MenuRow {
    int level;
    const char* name;
    const char* caption;
    Qt::Key key = Qt::Key_unknown;
};

const MenuRow kPopupMenu[] = {
    {1, "Play2", "&Lecture", Qt::Key_F1},
    {1, "Pause2", "P&ause", Qt::Key_F2},
    {1, "Stop2", "A&rrêt", Qt::Key_F3},
    {1, "", ""},
    {1, "Goto2", "A&ller à"},
    {2, "Nextchapter2", "Chapitre &suivant", Qt::Key_F5},
    {2, "Previouschapter2", "Chapitre &précédent", Qt::Key_F6},
    {2, "", ""},
    {2, "Chapter2", "&Chapitre ..."},
    {2, "Time2", "&Temps ..."},
    {2, "Title2", "T&itre ..."},
    {2, "", ""},
    {2, "MenuRoot2", "&Menu principal"},
    {2, "Titlemenu2", "Menu du &titre"},
    {1, "Playspeed2", "&Vitesse de lecture"},
    {2, "Fastforward2", "&Avance rapide"},
    {2, "Rewind2", "&Retour"},
    {1, "", ""},
    {1, "Configuration1", "&Configuration"},
    {2, "Audio1", "&Audio"},
    {2, "Soustitres1", "&Sous titres"},
    {2, "Angle1", "A&ngle"},
    {2, "Volume1", "&Volume..."},
    {1, "", ""},
    {1, "Pleincran1", "&Plein écran", Qt::Key_F7},
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
    {1, "Ouvrirunfichiermultimdia1", "&Ouvrir un fichier multimédia..."},
    {1, "Ejecter1", "&Ejecter le disque"},
    {1, "", ""},
    {1, "VistrelsurInternet1", "&Vistrel sur Internet..."},
    {1, "", ""},
    {1, "Quitter1", "&Quitter"},
};

}  // namespace

TForm10::TForm10()
{
    setObjectName(QStringLiteral("Form10"));
    platform::DesignWindow(*this, QStringLiteral("Vistrel"), platform::BorderStyle::SizeableBare, {639, 461});
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    dvdx8 = new QWidget(this);
    dvdx8->setObjectName(QStringLiteral("dvdx8"));
    layout->addWidget(dvdx8, 1);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(31);
    Panel1->hide();
    layout->addWidget(Panel1);

    BuildPopupMenu();
    // Visible from creation.
    show();
}

TForm10::~TForm10() = default;

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
    if (QAction* quit = MenuItem(QStringLiteral("Quitter1")))
        connect(quit, &QAction::triggered, this, &TForm10::Quitter1Click);
}

QAction* TForm10::MenuItem(const QString& name) const
{
    return PopupMenu1->findChild<QAction*>(name);
}

void TForm10::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

void TForm10::Quitter1Click()
{
    if (Form1)
        Form1->Quitter1Click();
}
