// Damaged media through the real program, opened one after another with the desktop's remote
// control in one running program: none crashes it or hangs it, what cannot play is said in a box
// the user closes, playback ends stopped, and a sound medium opened next plays.
#include "ProgramDriver.h"
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using programdriver::CloseDialogs;
using programdriver::DialogCaptions;
using programdriver::Program;
using testsupport::media;
using testsupport::timeScale;
using testsupport::waitFor;
using namespace std::chrono_literals;

namespace {

const QString kService = "org.mpris.MediaPlayer2.vistrel";
const QString kPath = "/org/mpris/MediaPlayer2";

class DamagedMedia : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!testsupport::haveX11() || !QDBusConnection::sessionBus().isConnected())
            return;
        program_ = std::make_unique<Program>(QStringList{});
        waitFor([] { return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value(); }, 20s);
    }
    static void TearDownTestSuite()
    {
        program_.reset();
    }
    void SetUp() override
    {
        if (!program_)
            GTEST_SKIP() << "needs an X display and a session bus";
        ASSERT_TRUE(program_->running());
    }

    // The playback status through the bus; empty when the program did not answer within a second
    // (a slower machine's second under the sanitizers).
    static QString Status()
    {
        QDBusInterface properties(kService, kPath, "org.freedesktop.DBus.Properties");
        properties.setTimeout(1000 * timeScale());
        QDBusReply<QDBusVariant> reply =
            properties.call("Get", "org.mpris.MediaPlayer2.Player", "PlaybackStatus");
        return reply.isValid() ? reply.value().variant().toString() : QString();
    }
    static void Command(const QString& method, const QVariantList& arguments = {})
    {
        QDBusInterface player(kService, kPath, "org.mpris.MediaPlayer2.Player");
        player.setTimeout(1000 * timeScale());
        player.callWithArgumentList(QDBus::Block, method, arguments);
    }
    static QStringList Dialogs() { return DialogCaptions(program_->pid()); }
    static bool BoxShown() { return !Dialogs().isEmpty(); }

    // Opens `path` as the remote control does and lets it load; says whether a message box came,
    // and checks that it is one of the program's own (warning, error, or the application's title
    // over a refusal of the CD device).
    static bool Open(const QString& path)
    {
        Command("OpenUri", {QUrl::fromLocalFile(path).toString()});
        const bool box = waitFor([] { return BoxShown(); }, 4s);
        for (const QString& caption : Dialogs())
            EXPECT_TRUE(QStringList({"Attention", "Erreur", "Vistrel de QUENTRAX"}).contains(caption))
                << caption.toStdString();
        // Answers within a second, message box or not.
        EXPECT_FALSE(Status().isEmpty()) << "no answer from the program";
        return box;
    }

    // Closes any box, stops, and checks that the program is whole: stopped, then playing a sound.
    static void CheckRecovers()
    {
        EXPECT_TRUE(waitFor([] { return CloseDialogs(program_->pid()) == 0; }, 5s)) << Dialogs().join(" | ").toStdString();
        Command("Stop");
        EXPECT_TRUE(waitFor([] { return Status() == "Stopped"; }, 5s)) << Status().toStdString();
        ASSERT_TRUE(program_->running());
        Command("OpenUri", {QUrl::fromLocalFile(media("files/tone440.wav")).toString()});
        EXPECT_TRUE(waitFor([] { return Status() == "Playing"; }, 10s)) << "the next medium does not play";
        Command("Stop");
        EXPECT_TRUE(waitFor([] { return Status() == "Stopped"; }, 5s));
    }

    static std::unique_ptr<Program> program_;
};

std::unique_ptr<Program> DamagedMedia::program_;

}  // namespace

TEST_F(DamagedMedia, FilesThatCannotPlayAreSaidAndLeaveThePlayerWhole)
{
    for (const char* name : {"empty.mp3", "notmedia.avi", "random.mp3", "random.mpg", "random.mid", "random.avi",
                             "cd-nobin.cue"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Open(media(QString("damaged/") + name))) << "no message for a medium that cannot play";
        ASSERT_TRUE(program_->running()) << "the program ended";
        CheckRecovers();
    }
}

TEST_F(DamagedMedia, DamagedFilesAndDiscsPlayWhatTheyCanOrAreSaid)
{
    for (const char* name : {"truncated.mpg", "corrupt.avi", "broken-index.avi", "garbage.wav", "bad-header.mid", "bad-track.mid",
                             "empty-track.mid", "cd-short.cue", "dvd-truncated", "dvd-zeroed", "dvd-nobackup",
                             "dvd-noifo", "dvd-short.iso"}) {
        SCOPED_TRACE(name);
        Open(media(QString("damaged/") + name));
        ASSERT_TRUE(program_->running()) << "the program ended";
        CheckRecovers();
    }
}

TEST_F(DamagedMedia, AnUnreadableFileAndOneRemovedWhilePlaying)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked.mp3");
    ASSERT_TRUE(QFile::copy(media("files/tone880.mp3"), locked));
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    // Root reads it anyway; anyone else is told.
    const bool said = Open(locked);
    if (::geteuid() != 0) {
        EXPECT_TRUE(said);
    }
    ASSERT_TRUE(program_->running());
    CheckRecovers();

    const QString going = dir.filePath("going.mpg");
    ASSERT_TRUE(QFile::copy(media("files/green.mpg"), going));
    Open(going);
    EXPECT_TRUE(waitFor([] { return Status() == "Playing"; }, 10s));
    ASSERT_TRUE(QFile::remove(going));
    testsupport::pumpFor(2s);  // two seconds of playing a file that is gone
    ASSERT_TRUE(program_->running());
    CheckRecovers();
}

TEST_F(DamagedMedia, TheRemoteControlWaitsWhileABoxAsksTheUser)
{
    ASSERT_TRUE(Open(media("damaged/random.mp3")));
    // A medium sent while the box is up is not played under it, nor is the box's owner stopped.
    Command("OpenUri", {QUrl::fromLocalFile(media("files/tone440.wav")).toString()});
    Command("Play");
    EXPECT_FALSE(waitFor([] { return Status() == "Playing"; }, 1500ms)) << "a command ran under the box";
    EXPECT_TRUE(BoxShown());
    // The status is still told, and once the box is answered the remote control works again.
    EXPECT_FALSE(Status().isEmpty());
    CheckRecovers();
}
