// The program's start, run once in this process as the program runs it: splash, title, the twelve
// windows in order, the loop, and both ways of quitting.
#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/TApplication.h"
#include "app/Splash.h"
#include "dialogs/SystemInformation.h"
#include "dialogs/MediaChooser.h"
#include "dialogs/DriveChooser.h"
#include "panel/ControlPanel.h"
#include "panel/SkinEditor.h"
#include "player/VideoWindow.h"
#include "player/GoToChapterDialog.h"
#include "player/GoToTimeDialog.h"
#include "player/GoToTitleDialog.h"
#include "player/SubtitlesDialog.h"
#include "player/AudioDialog.h"
#include "player/AngleDialog.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using testsupport::x11Property;

namespace {

struct CreationRecord {
    QString name;
    bool splashVisible;
    bool videoWindowVisible;
};

struct Started {
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<TApplication> application;
    std::vector<CreationRecord> creations;
    bool splashPaintedBeforeCreation = false;
    int splashProgressAtHide = -1;
};

Started* g_started = nullptr;

// The windows go before the QApplication of the test's main does, as they do in the program.
class StartedTearDown : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (g_started)
            g_started->application.reset();
    }
};
const auto* const g_tearDown = ::testing::AddGlobalTestEnvironment(new StartedTearDown);

// Runs the start-up once for the whole file.
Started& StartOnce()
{
    static Started started = [] {
        Started s;
        s.home = std::make_unique<QTemporaryDir>();
        testsupport::prepareSettings(s.home->path());
        qputenv("VISTREL_HOME", s.home->path().toUtf8());
        s.application = std::make_unique<TApplication>();
        auto* record = &s.creations;
        s.application->OnFormCreated = [record](QWidget* form) {
            record->push_back({form->objectName(), Form9 && Form9->isVisible(), Form10 && Form10->isVisible()});
        };
        StartUp(*s.application, CommandLine::Parse({}));
        return s;
    }();
    g_started = &started;
    return started;
}

// Runs the message loop until the application ends or `action` has run and `timeout` passed.
int RunLoopThen(const std::function<void()>& action)
{
    QTimer::singleShot(200, action);
    // A safety net: the loop must end by itself well before this.
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    return Application->Run();
}

}  // namespace

TEST(StartUp, CreatesTheWindowsItShowsInOrderAndEachDialogOnceOnItsFirstUse)
{
    Started& s = StartOnce();
    auto created = [&s] {
        QStringList names;
        for (const auto& c : s.creations)
            names << c.name;
        return names;
    };
    // The panel first, so it is the main window; then the video window and the drive question
    // (which, with a single drive, writes it into the configuration at every start).
    ASSERT_EQ(created(), (QStringList{"Form1", "Form10", "Form13"}));
    EXPECT_EQ(s.application->MainForm(), Form1);
    EXPECT_FALSE(Form2.made() || Form3.made() || Form6.made() || Form11.made() || Form12.made());
    // A dialog is made by its first use, once, whatever the order of the uses.
    QWidget* chooser = Form12;
    QWidget* chapter = Form3;
    EXPECT_EQ(Form12.get(), chooser);
    EXPECT_EQ(created(), (QStringList{"Form1", "Form10", "Form13", "Form12", "Form3"}));
    // All twelve, each owned once by the application with the splash.
    QList<QWidget*> forms{Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form8, Form9,
                          Form10, Form11, Form12, Form13};
    EXPECT_EQ(s.application->FormCount(), 13);
    EXPECT_EQ(created().size(), 12);
    EXPECT_EQ(Form3.get(), chapter);
    for (QWidget* form : forms)
        ASSERT_NE(form, nullptr);
    for (int i = 0; i < forms.size(); ++i)
        for (int j = i + 1; j < forms.size(); ++j)
            EXPECT_NE(forms[i], forms[j]);
}

TEST(StartUp, SplashIsGoneBeforeTheDialogsAndTheVideoWindowIsUpBeforeThePanel)
{
    Started& s = StartOnce();
    ASSERT_FALSE(s.creations.empty());
    // The panel's creation ran the progress to its end and hid the splash: no later window saw it.
    for (const auto& c : s.creations)
        EXPECT_FALSE(c.splashVisible) << c.name.toStdString();
    EXPECT_EQ(Form9->ProgressBar1->value(), 100);
    EXPECT_FALSE(Form9->isVisible());
    // The video window shows itself when created; the panel is still hidden then.
    EXPECT_TRUE(Form10->isVisible());
    EXPECT_FALSE(Form1->isVisible());
    for (QWidget* dialog : std::initializer_list<QWidget*>{Form2, Form3, Form4, Form5, Form6, Form7, Form8,
                                                           Form11, Form12, Form13})
        EXPECT_FALSE(dialog->isVisible()) << dialog->objectName().toStdString();
}

TEST(StartUp, TheFinishedSplashGivesBackItsWindow)
{
    StartOnce();
    // Its native window, and with it the pixels drawn for it, are gone for the rest of the run.
    EXPECT_FALSE(Form9->isVisible());
    EXPECT_EQ(Form9->internalWinId(), WId(0));
    EXPECT_FALSE(Form9->testAttribute(Qt::WA_WState_Created));
}

TEST(StartUp, SplashIsRoundedAndCarriesItsPictureAndLabels)
{
    StartOnce();
    EXPECT_EQ(Form9->size(), QSize(559, 192));
    EXPECT_TRUE(Form9->windowFlags() & Qt::FramelessWindowHint);
    const QRegion mask = Form9->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_TRUE(mask.contains(QPoint(20, 0)));
    EXPECT_TRUE(mask.contains(QPoint(279, 96)));
    EXPECT_FALSE(mask.contains(QPoint(558, 191)));
    ASSERT_FALSE(Form9->Image1->pixmap().isNull());
    EXPECT_EQ(Form9->Image1->pixmap().size(), QSize(560, 194));
    EXPECT_EQ(Form9->Label1->text(), "Vistrel");
    EXPECT_EQ(Form9->Label2->text(), "version 0.8a");
    EXPECT_EQ(Form9->ProgressBar1->geometry(), QRect(159, 171, 241, 9));
    EXPECT_EQ(Form9->windowTitle(), "Vistrel - Chargement");
}

TEST(StartUp, WindowsHaveTheirDesignedCaptionsSizesAndPlaces)
{
    StartOnce();
    struct Design {
        QWidget* form;
        const char* caption;
        QSize client;
        QPoint at;  // (-1, -1): centred
    };
    const Design designs[] = {
        {Form1, "Vistrel", {302, 121}, {10, 10}},
        {Form3, "Aller au Chapitre", {172, 69}, {441, 305}},
        {Form4, "Aller à l'heure", {210, 91}, {458, 315}},
        {Form5, "Aller au titre / chapitre", {204, 66}, {467, 290}},
        {Form6, "Sous titres", {262, 93}, {394, 320}},
        {Form7, "Audio", {240, 72}, {400, 262}},
        {Form8, "Angle", {230, 77}, {430, 285}},
        {Form10, "Vistrel", {639, 461}, {-1, -1}},
        {Form2, "Configuration de l'interface", {442, 294}, {-1, -1}},
        {Form11, "Informations sur votre système", {252, 107}, {-1, -1}},
        {Form12, "Sélection d'un fichier multimédia", {375, 269}, {-1, -1}},
        {Form13, "Sélection du lecteur DVD par défaut", {345, 133}, {-1, -1}},
    };
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const Design& d : designs) {
        SCOPED_TRACE(d.caption);
        EXPECT_EQ(d.form->windowTitle(), QString::fromUtf8(d.caption));
        if (d.form == Form13) {
            // The drive question grows downwards when the desktop's font needs more lines.
            EXPECT_EQ(d.form->width(), d.client.width());
            EXPECT_GE(d.form->height(), d.client.height());
        } else {
            EXPECT_EQ(d.form->size(), d.client);
        }
        if (d.at.x() >= 0) {
            EXPECT_EQ(d.form->pos(), d.at);
        } else {
            const QPoint centre = d.form->frameGeometry().center();
            EXPECT_NEAR(centre.x(), screen.center().x(), 20);
            EXPECT_NEAR(centre.y(), screen.center().y(), 40);
        }
    }
    EXPECT_TRUE(Form1->windowFlags() & Qt::FramelessWindowHint);
    // The video window has a resizable frame but no title-bar buttons.
    const Qt::WindowFlags video = Form10->windowFlags();
    EXPECT_FALSE(video & Qt::FramelessWindowHint);
    EXPECT_FALSE(video & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowSystemMenuHint));
}

TEST(StartUp, DesktopSeesTheCaptionsAndTheApplicationTitle)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    StartOnce();
    EXPECT_EQ(Application->Title(), "Vistrel de QUENTRAX");
    ASSERT_TRUE(testsupport::waitFor([] { return !x11Property(Form10, "_NET_WM_NAME").isEmpty(); }));
    // The caption is exactly the window's own: no application name appended.
    EXPECT_EQ(x11Property(Form10, "_NET_WM_NAME"), QByteArray("Vistrel"));
    EXPECT_EQ(x11Property(Form9, "_NET_WM_NAME"), QByteArray("Vistrel - Chargement"));
    // The application's title is what the task bar shows: the windows' class.
    EXPECT_EQ(x11Property(Form10, "WM_CLASS"), QByteArray("vistrel\0Vistrel de QUENTRAX\0", 28));
}

TEST(StartUp, LoopShowsThePanelAndQuitsFromTheVideoWindowMenu)
{
    StartOnce();
    bool panelShown = false;
    QAction* quit = Form10->MenuItem(QStringLiteral("Quitter1"));
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->text(), "&Quitter");
    const int result = RunLoopThen([&] {
        panelShown = Form1->isVisible();
        quit->trigger();
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Form9->isVisible());
}

TEST(StartUp, ClosingThePanelEndsTheLoopTheSameWay)
{
    StartOnce();
    const int result = RunLoopThen([] { Form1->close(); });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Application->Terminated());
    // The splash never came back.
    EXPECT_FALSE(Form9->isVisible());
}

TEST(StartUp, PanelQuitCommandEndsTheLoop)
{
    StartOnce();
    QAction* quit = Form1->Quitter1;
    ASSERT_NE(quit, nullptr);
    const int result = RunLoopThen([quit] { quit->trigger(); });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Application->Terminated());
}
