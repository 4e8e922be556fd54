// The media player component over the generated CD image, as the playback controller drives it:
// open on "<drive>*.cda", tracks-minutes-seconds-frames, pause that toggles, next and previous,
// stop and close, the errors it raises and those it only records, and its end-of-play event.
#include "engine/ApplicationException.h"
#include "engine/TMediaPlayer.h"
#include "platform/cdaudio/DiscToc.h"
#include "platform/system/MessageBox.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using cdaudio::makeTmsf;
using cdaudio::tmsfTrack;

using testsupport::waitFor;

namespace {

QString cdElement()
{
    return testsupport::media("cd/disc.cue") + "*.cda";
}

// What an exception raised by the player says; empty when nothing was raised.
std::string raised(const std::function<void()>& command)
{
    try {
        command();
    } catch (const EMCIDeviceError& e) {
        return e.what();
    }
    return {};
}

struct PlayerOnDisc : ::testing::Test {
    TMediaPlayer player;
    void SetUp() override
    {
        player.Shareable = true;
        player.FileName = cdElement();
        ASSERT_NO_THROW(player.Open());
        player.SetTimeFormat(tfTMSF);
    }
};

}  // namespace

TEST_F(PlayerOnDisc, OpensTheImageAndPlaysItsFirstTrack)
{
    EXPECT_EQ(player.Tracks(), 3);
    EXPECT_EQ(player.TimeFormat(), tfTMSF);
    EXPECT_NE(player.DeviceID(), 0u);
    EXPECT_EQ(player.Mode(), mpStopped);
    EXPECT_EQ(player.TrackPosition(2), makeTmsf(2, 0, 0, 0));
    player.Play();
    EXPECT_EQ(player.Error(), 0u);
    EXPECT_EQ(player.Mode(), mpPlaying);
    ASSERT_TRUE(waitFor([&] { return player.Position() != makeTmsf(1, 0, 0, 0); }));
    EXPECT_EQ(tmsfTrack(player.Position()), 1);
}

TEST_F(PlayerOnDisc, PauseTwiceResumesAndStopThenCloseEnds)
{
    player.Play();
    player.Pause();
    EXPECT_EQ(player.Mode(), mpPaused);
    player.Pause();
    EXPECT_EQ(player.Mode(), mpPlaying);
    player.PauseOnly();
    player.PauseOnly();
    EXPECT_EQ(player.Mode(), mpPaused);
    player.Play();  // the controller's play after a pause
    EXPECT_EQ(player.Mode(), mpPlaying);
    player.Stop();
    EXPECT_EQ(player.Mode(), mpStopped);
    player.Close();
    EXPECT_EQ(player.Mode(), mpNotReady);
    EXPECT_EQ(player.DeviceID(), 0u);
    EXPECT_EQ(player.Tracks(), 0);
}

TEST_F(PlayerOnDisc, NextAndPreviousFollowTheTrackRules)
{
    player.Next();
    EXPECT_EQ(player.Position(), makeTmsf(2, 0, 0, 0));
    EXPECT_EQ(player.Mode(), mpStopped);  // stopped: only the position moves
    player.Next();
    player.Next();  // the last track: back to its start
    EXPECT_EQ(player.Position(), makeTmsf(3, 0, 0, 0));
    player.Previous();  // within its first second: the track before
    EXPECT_EQ(player.Position(), makeTmsf(2, 0, 0, 0));
    player.SetPosition(makeTmsf(2, 0, 3, 0));
    player.Previous();  // later: the start of the current track
    EXPECT_EQ(player.Position(), makeTmsf(2, 0, 0, 0));

    player.Play();
    player.Next();
    EXPECT_EQ(player.Mode(), mpPlaying);
    ASSERT_TRUE(waitFor([&] { return player.Position() != makeTmsf(3, 0, 0, 0); }));
    EXPECT_EQ(tmsfTrack(player.Position()), 3);
}

TEST_F(PlayerOnDisc, PlayToTheEndNotifiesAndTheNextPlayStartsAgain)
{
    int notified = 0;
    player.OnNotify = [&](TMediaPlayer* sender) {
        EXPECT_EQ(sender, &player);
        ++notified;
    };
    player.Notify = true;
    player.SetStartPos(makeTmsf(3, 0, 4, 60));
    player.Play();
    ASSERT_TRUE(waitFor([&] { return notified == 1; }));
    EXPECT_EQ(player.NotifyValue(), nvSuccessful);
    EXPECT_EQ(player.Mode(), mpStopped);
    // At the end, Play starts the disc again; Stop aborts the play it asked to hear about.
    player.Play();
    EXPECT_EQ(tmsfTrack(player.Position()), 1);
    player.Stop();
    ASSERT_TRUE(waitFor([&] { return notified == 2; }));
    EXPECT_EQ(player.NotifyValue(), nvAborted);
}

TEST_F(PlayerOnDisc, DoorCommandsOnAnImageFailQuietly)
{
    EXPECT_NO_THROW(player.Eject());
    EXPECT_NE(player.Error(), 0u);
    EXPECT_FALSE(player.ErrorMessage().isEmpty());
    EXPECT_NO_THROW(player.CloseDoor());
    EXPECT_NE(player.Error(), 0u);
    player.Play();
    EXPECT_EQ(player.Error(), 0u);
}

TEST(MediaPlayer, CommandsWithoutAnOpenDeviceRaiseTheNotOpenText)
{
    TMediaPlayer player;
    const std::string notOpen = "Aucun périphérique MCI ouvert";
    EXPECT_EQ(raised([&] { player.Play(); }), notOpen);
    EXPECT_EQ(raised([&] { player.Pause(); }), notOpen);
    EXPECT_EQ(raised([&] { player.Stop(); }), notOpen);
    EXPECT_EQ(raised([&] { player.Next(); }), notOpen);
    EXPECT_EQ(raised([&] { player.Previous(); }), notOpen);
    EXPECT_EQ(raised([&] { player.Eject(); }), notOpen);
    EXPECT_EQ(raised([&] { player.SetTimeFormat(tfTMSF); }), notOpen);
    EXPECT_NO_THROW(player.Close());
    EXPECT_EQ(player.Mode(), mpNotReady);
    EXPECT_EQ(player.Position(), 0u);

    // After a close the commands are refused again.
    player.FileName = cdElement();
    player.Open();
    player.Close();
    EXPECT_EQ(raised([&] { player.Next(); }), notOpen);
}

TEST(MediaPlayer, OpenRaisesTheDevicesTextForWhatIsNoAudioCd)
{
    TMediaPlayer player;
    player.FileName = "/nonexistent/drive*.cda";
    EXPECT_EQ(raised([&] { player.Open(); }), "Le périphérique spécifié n'est pas ouvert ou n'est pas reconnu par MCI.");
    EXPECT_NE(player.Error(), 0u);
    player.FileName = testsupport::media("files/tone440.wav") + "*.cda";
    EXPECT_FALSE(raised([&] { player.Open(); }).empty());
    player.FileName = testsupport::media("files/tone440.wav");  // chosen automatically: not a CD element
    EXPECT_FALSE(raised([&] { player.Open(); }).empty());
    EXPECT_EQ(player.DeviceID(), 0u);
    EXPECT_EQ(raised([&] { player.Play(); }), "Aucun périphérique MCI ouvert");

    // Named by type, the drive itself is the element (as the door command opens it).
    player.DeviceType = dtCDAudio;
    player.FileName = testsupport::media("cd/disc.cue");
    EXPECT_NO_THROW(player.Open());
    EXPECT_EQ(player.Tracks(), 3);
    player.DeviceType = dtWaveAudio;
    EXPECT_FALSE(raised([&] { player.Open(); }).empty());
}

TEST(MediaPlayer, RunMediaCommandHandsWhatIsRaisedToTheErrorDisplay)
{
    std::vector<QString> shown;
    SetApplicationExceptionHandler([&](const QString& message) { shown.push_back(message); });
    TMediaPlayer player;
    EXPECT_FALSE(RunMediaCommand([&] { player.Stop(); }));
    EXPECT_TRUE(RunMediaCommand([&] { player.Close(); }));
    SetApplicationExceptionHandler({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QString::fromUtf8("Aucun périphérique MCI ouvert"));
}

TEST(MediaPlayer, TheErrorDisplayIsCaptionedWithTheApplicationsTitle)
{
    std::vector<platform::MessageBoxRequest> boxes;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRequest& box) { boxes.push_back(box); });
    // A box shown for real would wait for a user: close it.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(100);
    SetApplicationTitle(QStringLiteral("Vistrel de QUENTRAX"));
    TMediaPlayer player;
    EXPECT_FALSE(RunMediaCommand([&] { player.Pause(); }));
    SetApplicationTitle({});
    platform::SetMessageBoxHandler({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Vistrel de QUENTRAX");
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("Aucun périphérique MCI ouvert"));
    EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Error);
}
