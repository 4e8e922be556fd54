// The program as a user starts it: `vistrel DISC` plays the disc's menu in the video window; the
// desktop's remote control ends it.
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QDBusInterface>
#include <QDBusReply>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <csignal>
#include <memory>

using testsupport::waitFor;
using namespace std::chrono_literals;

namespace {

// The captions of every top-level window on the display (of one process only, when `pid` is given).
QStringList WindowCaptions(qint64 pid = 0)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return {};
    xcb_connection_t* c = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    auto atom = [c](const char* name) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> r(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr), &free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    const xcb_atom_t netWmName = atom("_NET_WM_NAME");
    const xcb_atom_t netWmPid = atom("_NET_WM_PID");
    QStringList captions;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr), &free);
    if (!tree)
        return captions;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (pid) {
            std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> owner(
                xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], netWmPid, XCB_ATOM_CARDINAL, 0, 1),
                                       nullptr),
                &free);
            if (!owner || xcb_get_property_value_length(owner.get()) != 4
                || *static_cast<const uint32_t*>(xcb_get_property_value(owner.get())) != uint32_t(pid))
                continue;
        }
        std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> name(
            xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], netWmName, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                                   nullptr),
            &free);
        if (name && xcb_get_property_value_length(name.get()) > 0)
            captions << QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                                          xcb_get_property_value_length(name.get()));
    }
    return captions;
}

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
    EXPECT_TRUE(waitFor([] { return WindowCaptions().contains("Vistrel - Lecture"); }, 15s))
        << WindowCaptions().join(" | ").toStdString();

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
        EXPECT_TRUE(waitFor([pid] { return WindowCaptions(pid).contains("Vistrel - Lecture"); }, 15s))
            << WindowCaptions(pid).join(" | ").toStdString();
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
    EXPECT_TRUE(waitFor([] { return WindowCaptions().contains("Attention"); }, 15s))
        << WindowCaptions().join(" | ").toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished();
    }
}
