// The program as a user starts it: `vistrel DISC` plays the disc's menu in the video window; the
// desktop's remote control ends it.
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

using testsupport::waitFor;
using testsupport::windowCaptions;
using namespace std::chrono_literals;

namespace {

// Starts the program on `medium` with a home of its own.
void Start(QProcess& program, const QTemporaryDir& home, const QString& medium)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    testsupport::prepareSettings(home.path());
    environment.insert("VISTREL_HOME", home.path());
    program.setProcessEnvironment(environment);
    program.start(testsupport::binDir() + "/vistrel", {medium});
}

}  // namespace

TEST(Program, PlaysTheDiscNamedOnItsCommandLineAndQuitsWhenAsked)
{
    if (!testsupport::haveX11() || !QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "needs an X display and a session bus";
    QTemporaryDir home;
    QProcess program;
    Start(program, home, testsupport::media("dvd"));
    ASSERT_TRUE(program.waitForStarted());
    EXPECT_TRUE(waitFor([] { return windowCaptions().contains("Vistrel - Lecture"); }, 15s))
        << windowCaptions().join(" | ").toStdString();

    // The remote control sees a playing disc, and its Quit ends the program like the quit command.
    QDBusInterface player("org.mpris.MediaPlayer2.vistrel", "/org/mpris/MediaPlayer2",
                          "org.mpris.MediaPlayer2.Player");
    // Other test programs on the display may show the same caption: the bus names this one.
    EXPECT_TRUE(waitFor([&] { return player.property("PlaybackStatus").toString() == "Playing"; }, 15s));
    QDBusInterface root("org.mpris.MediaPlayer2.vistrel", "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2");
    root.call("Quit");
    EXPECT_TRUE(waitFor([&] { return program.state() == QProcess::NotRunning; }, 15s));
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished();
    }
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(Program, QuitSignalsEndAPlayingProgramThroughItsQuitPath)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QTemporaryDir home;
        QProcess program;
        Start(program, home, testsupport::media("dvd"));
        ASSERT_TRUE(program.waitForStarted());
        // Its own window says it plays (other programs on the display do not count).
        const qint64 pid = program.processId();
        EXPECT_TRUE(waitFor([pid] { return windowCaptions(pid).contains("Vistrel - Lecture"); }, 15s))
            << windowCaptions(pid).join(" | ").toStdString();
        ::kill(pid_t(program.processId()), signal);
        const bool ended = program.waitForFinished(10000);
        EXPECT_TRUE(ended) << "signal " << signal << " was ignored";
        if (!ended) {
            program.kill();
            program.waitForFinished();
            continue;
        }
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "signal " << signal;
        EXPECT_EQ(program.exitCode(), 0) << "signal " << signal;
    }
}

TEST(Program, AMissingMediumIsSaidAndTheProgramStillStarts)
{
    // The message box needs an answer: the program is only checked to start and not to crash.
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    QTemporaryDir home;
    QProcess program;
    Start(program, home, testsupport::media("no-such-film.avi"));
    ASSERT_TRUE(program.waitForStarted());
    EXPECT_TRUE(waitFor([] { return windowCaptions().contains("Attention"); }, 15s))
        << windowCaptions().join(" | ").toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished();
    }
}

namespace {

// The shared libraries mapped into process `pid`, by file name.
QStringList MappedLibraries(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    QStringList names;
    if (!maps.open(QIODevice::ReadOnly))
        return names;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QString name = QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
        if (name.contains(".so") && !names.contains(name.section('/', -1)))
            names << name.section('/', -1);
    }
    return names;
}

bool Maps(const QStringList& libraries, const char* prefix)
{
    return std::any_of(libraries.begin(), libraries.end(),
                       [prefix](const QString& name) { return name.startsWith(QLatin1String(prefix)); });
}

}  // namespace

// The file reader, the MIDI synthesiser and the compound-file reader of bookmarks, with the many
// libraries they need, stay out of the program's memory until a file needs them; the sound library
// is loaded by the sound system's start, after the program's first line.
TEST(Program, ADiscMapsNeitherTheFileReaderNorTheSynthesiserAndAFileLoadsItsReader)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    for (const char* medium : {"dvd", "files/red.avi"}) {
        QTemporaryDir home;
        QProcess program;
        Start(program, home, testsupport::media(medium));
        ASSERT_TRUE(program.waitForStarted());
        const qint64 pid = program.processId();
        EXPECT_TRUE(waitFor([pid] { return windowCaptions(pid).contains("Vistrel - Lecture"); }, 15s))
            << medium << ": " << windowCaptions(pid).join(" | ").toStdString();
        const QStringList libraries = MappedLibraries(pid);
        EXPECT_TRUE(Maps(libraries, "libavcodec")) << medium;
        EXPECT_EQ(Maps(libraries, "libavformat"), QByteArray(medium) != "dvd") << medium;
        EXPECT_FALSE(Maps(libraries, "libfluidsynth")) << medium;
        EXPECT_FALSE(Maps(libraries, "libgsf")) << medium;
        EXPECT_TRUE(Maps(libraries, "libSDL2")) << medium;
        program.terminate();
        if (!program.waitForFinished(10000)) {
            program.kill();
            program.waitForFinished();
        }
    }
}

// What the loader must find and relocate before the program's first line: the sound library, the
// compound-file reader and the decoders are not among it (together some fifty libraries, opened
// later).
TEST(Program, NeitherTheSoundLibraryNorTheCompoundFileReaderNorTheDecodersAreLoadedBeforeItsFirstLine)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {testsupport::binDir() + "/vistrel"});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    const QString needed = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    ASSERT_TRUE(needed.contains(QLatin1String("libQt6Core"))) << needed.toStdString();
    EXPECT_FALSE(needed.contains(QLatin1String("libSDL2"))) << needed.toStdString();
    EXPECT_FALSE(needed.contains(QLatin1String("libgsf"))) << needed.toStdString();
    EXPECT_FALSE(needed.contains(QLatin1String("libpulse"))) << needed.toStdString();
    for (const char* decoding : {"libavcodec", "libavutil", "libswscale", "libswresample", "libdav1d", "libva"})
        EXPECT_FALSE(needed.contains(QLatin1String(decoding))) << decoding << "\n" << needed.toStdString();
}
