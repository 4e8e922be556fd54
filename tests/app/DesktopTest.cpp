// Vistrel on the desktop: installed to a prefix it runs from there with its data and keeps its small
// files in the user's config folder; its menu entry and metainfo validate; a second start hands its
// medium to the player already running.
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

using testsupport::waitFor;
using testsupport::windowCaptions;
using namespace std::chrono_literals;

namespace {

const char* const kService = "org.mpris.MediaPlayer2.vistrel";
const char* const kPath = "/org/mpris/MediaPlayer2";

struct Ran {
    int exitCode = -1;
    QString output;
};

// Runs a command to its end (a minute at most) and returns its exit code and what it printed.
Ran RunToEnd(const QString& program, const QStringList& arguments, const QString& folder = {},
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    // A running player answers the bus from its own process; this one only waits.
    if (!waitFor([&] { return process.state() == QProcess::NotRunning; }, 60s)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

// The installed program's environment: nothing points back into the build folder. Its config folder
// names a default drive, so that no first-start question waits for an answer.
QProcessEnvironment InstalledEnvironment(const QString& configHome, const QString& drive = QString())
{
    testsupport::prepareSettings(configHome + "/vistrel", drive);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("VISTREL_DATA_DIR");
    environment.remove("VISTREL_HOME");
    environment.insert("XDG_CONFIG_HOME", configHome);
    return environment;
}

bool PlayerOnTheBus()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value();
}

QVariantMap Metadata()
{
    QDBusInterface player(kService, kPath, "org.mpris.MediaPlayer2.Player");
    return player.property("Metadata").toMap();
}

// A player process, ended (through the bus, or killed) when it goes out of scope.
class Player {
public:
    Player(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
    {
        process_.setProcessEnvironment(environment);
        process_.start(program, arguments);
    }
    ~Player()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    QProcess& process() { return process_; }
    QStringList Captions() const { return windowCaptions(process_.processId()); }

    // Quit through the remote control, as the desktop does; true when it ended with status 0.
    bool QuitThroughTheBus()
    {
        QDBusInterface(kService, kPath, "org.mpris.MediaPlayer2").call("Quit");
        waitFor([&] { return process_.state() == QProcess::NotRunning; }, 15s);
        return process_.state() == QProcess::NotRunning && process_.exitStatus() == QProcess::NormalExit
               && process_.exitCode() == 0;
    }

private:
    QProcess process_;
};

// One install into a temporary prefix, shared by the tests below.
class InstalledCopy : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = std::make_unique<QTemporaryDir>();
        const QString build = QFileInfo(testsupport::binDir()).absolutePath();
        const Ran install = RunToEnd(qEnvironmentVariable("VISTREL_CMAKE", "cmake"),
                                {"--install", build, "--prefix", prefix_->path()});
        installed_ = install.exitCode == 0;
        if (!installed_)
            std::fprintf(stderr, "%s\n", qPrintable(install.output));
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(installed_) << "cmake --install failed";
        if (!testsupport::haveX11() || !QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "needs an X display and a session bus";
        ASSERT_FALSE(PlayerOnTheBus()) << "another player holds the remote-control name";
    }

    static QString Prefixed(const QString& relative) { return prefix_->path() + "/" + relative; }
    static QString Program() { return Prefixed("bin/vistrel"); }

    static inline std::unique_ptr<QTemporaryDir> prefix_;
    static inline bool installed_ = false;
};

}  // namespace

TEST_F(InstalledCopy, LaysOutTheProgramItsDataAndTheDesktopFiles)
{
    for (const char* file : {"bin/vistrel", "bin/vistrel-graphs", "share/vistrel/splash.jpg",
                             "share/applications/vistrel.desktop", "share/metainfo/org.vistrel.vistrel.metainfo.xml",
                             "share/icons/hicolor/scalable/apps/vistrel.svg", "share/man/man1/vistrel.1.gz",
                             "share/man/man1/vistrel-graphs.1.gz", "share/doc/vistrel/copyright"})
        EXPECT_TRUE(QFileInfo::exists(Prefixed(file))) << file;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = Prefixed(QStringLiteral("share/icons/hicolor/%1x%1/apps/vistrel.png").arg(size));
        EXPECT_EQ(QImage(icon).size(), QSize(size, size)) << qPrintable(icon);
    }
    // The portable folder's data all comes along, sub-folders kept.
    QDir bin(testsupport::binDir());
    for (const QString& data : bin.entryList({"*.jpg", "*.bmp", "*.htm"}, QDir::Files))
        EXPECT_TRUE(QFileInfo::exists(Prefixed("share/vistrel/" + data))) << qPrintable(data);
    for (QDirIterator skin(bin.filePath("skins"), QDir::Files, QDirIterator::Subdirectories); skin.hasNext();) {
        const QString data = bin.relativeFilePath(skin.next());
        EXPECT_TRUE(QFileInfo::exists(Prefixed("share/vistrel/" + data))) << qPrintable(data);
    }
}

TEST_F(InstalledCopy, MenuEntryAndMetainfoPassTheDesktopValidators)
{
    const QString desktopValidator = QStandardPaths::findExecutable("desktop-file-validate");
    const QString appstream = QStandardPaths::findExecutable("appstreamcli");
    ASSERT_FALSE(desktopValidator.isEmpty()) << "desktop-file-validate (desktop-file-utils) is missing";
    ASSERT_FALSE(appstream.isEmpty()) << "appstreamcli (appstream) is missing";
    const Ran entry = RunToEnd(desktopValidator, {Prefixed("share/applications/vistrel.desktop")});
    EXPECT_EQ(entry.exitCode, 0) << qPrintable(entry.output);
    EXPECT_TRUE(entry.output.trimmed().isEmpty()) << qPrintable(entry.output);  // no hint either
    const Ran metainfo = RunToEnd(appstream, {"validate", "--no-net", "--pedantic",
                                         Prefixed("share/metainfo/org.vistrel.vistrel.metainfo.xml")});
    EXPECT_EQ(metainfo.exitCode, 0) << qPrintable(metainfo.output);
    // The metainfo, its menu entry and its icons seen together, as a software centre sees them.
    const Ran tree = RunToEnd(appstream, {"validate-tree", "--no-net", prefix_->path()});
    EXPECT_EQ(tree.exitCode, 0) << qPrintable(tree.output);
}

TEST_F(InstalledCopy, ReadsItsDefaultDriveFromTheConfigFolderAndWritesNothingBesideItself)
{
    QTemporaryDir config;
    // No medium named: Play plays the default drive, the generated disc.
    Player player(Program(), {}, InstalledEnvironment(config.path(), testsupport::media("dvd")));
    ASSERT_TRUE(waitFor(PlayerOnTheBus, 20s));
    QDBusInterface(kService, kPath, "org.mpris.MediaPlayer2.Player").call("Play");
    EXPECT_TRUE(waitFor([&] { return player.Captions().contains("Vistrel - Lecture"); }, 15s))
        << player.Captions().join(" | ").toStdString();
    EXPECT_TRUE(player.QuitThroughTheBus());
    EXPECT_EQ(QDir(Prefixed("bin")).entryList(QDir::Files), QStringList({"vistrel", "vistrel-graphs"}));
}

TEST_F(InstalledCopy, ASecondStartHandsItsMediumToThePlayerAlreadyRunning)
{
    QTemporaryDir config;
    const QProcessEnvironment environment = InstalledEnvironment(config.path());
    Player first(Program(), {testsupport::media("dvd")}, environment);
    ASSERT_TRUE(waitFor([&] { return first.Captions().contains("Vistrel - Lecture"); }, 20s))
        << first.Captions().join(" | ").toStdString();
    ASSERT_TRUE(waitFor(PlayerOnTheBus, 10s));

    // Named relatively, as a file manager or a shell in its folder does, with characters an
    // address must escape.
    QTemporaryDir films;
    ASSERT_TRUE(QFile::copy(testsupport::media("files/red.avi"), films.path() + "/le film #1 (50%).avi"));
    const Ran second = RunToEnd(Program(), {"le film #1 (50%).avi"}, films.path(), environment);
    EXPECT_EQ(second.exitCode, 0) << qPrintable(second.output);
    const QString handed = QUrl::fromLocalFile(films.path() + "/le film #1 (50%).avi").toString();
    EXPECT_TRUE(waitFor([&] { return Metadata().value("xesam:url").toString() == handed; }, 15s))
        << qPrintable(Metadata().value("xesam:url").toString());
    EXPECT_EQ(Metadata().value("xesam:title").toString(), "le film #1 (50%).avi");
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // Without a medium, a second start only brings the running player to the front.
    EXPECT_EQ(RunToEnd(Program(), {}, {}, environment).exitCode, 0);
    EXPECT_EQ(Metadata().value("xesam:url").toString(), handed);

    // --new-window plays in a player of its own and leaves the first one's medium alone.
    QDBusInterface(kService, kPath, "org.mpris.MediaPlayer2.Player").call("Stop");
    EXPECT_TRUE(waitFor([&] { return !first.Captions().contains("Vistrel - Lecture"); }, 10s));
    Player another(Program(), {"--new-window", testsupport::media("files/green.mpg")}, environment);
    EXPECT_TRUE(waitFor([&] { return another.Captions().contains("Vistrel - Lecture"); }, 20s))
        << another.Captions().join(" | ").toStdString();
    EXPECT_EQ(another.process().state(), QProcess::Running);
    EXPECT_EQ(Metadata().value("xesam:url").toString(), handed);

    EXPECT_TRUE(first.QuitThroughTheBus());
}

TEST_F(InstalledCopy, ANameHolderThatDoesNotAnswerGetsAPlayerOfItsOwn)
{
    // This process holds the remote-control name but offers no player behind it.
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.registerService(kService));
    QTemporaryDir config;
    Player player(Program(), {testsupport::media("files/green.mpg")}, InstalledEnvironment(config.path()));
    EXPECT_TRUE(waitFor([&] { return player.Captions().contains("Vistrel - Lecture"); }, 30s))
        << player.Captions().join(" | ").toStdString();
    EXPECT_EQ(player.process().state(), QProcess::Running);
    EXPECT_TRUE(QString::fromLocal8Bit(player.process().readAllStandardError()).contains("ne répond pas"));
    bus.unregisterService(kService);
}
