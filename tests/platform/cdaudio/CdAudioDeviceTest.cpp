// The CD audio device on the generated disc images, with SDL's silent driver: opening, status,
// playing and pausing, moving by track, the end-of-play notification, and every refusal.
#include "platform/cdaudio/CdAudioDevice.h"
#include "platform/cdaudio/CdPlayback.h"
#include "platform/com/WindowMessage.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using namespace cdaudio;

using testsupport::waitFor;

namespace {

constexpr int64_t S = kSamplesPerSector;

std::string element(const QString& relative)
{
    return (testsupport::media(relative) + "*.cda").toStdString();
}

// Collects the notifications posted to it.
class NotifyTarget : public QObject {
public:
    std::vector<intptr_t> results;
    bool event(QEvent* e) override
    {
        if (e->type() != com::WindowMessageEvent::type())
            return QObject::event(e);
        const auto* message = static_cast<com::WindowMessageEvent*>(e);
        if (message->message == MM_MCINOTIFY)
            results.push_back(message->wParam);
        return true;
    }
};

struct OpenDisc : ::testing::Test {
    CdAudioDevice device;
    void SetUp() override
    {
        ASSERT_EQ(device.open(element("cd/disc.cue"), true), MCI_OK);
        ASSERT_EQ(device.setTimeFormat(MCI_FORMAT_TMSF), MCI_OK);
    }
    bool playedPast(int64_t sample)
    {
        return waitFor([&] { return device.positionSamples() > sample; });
    }
};

}  // namespace

TEST_F(OpenDisc, ReportsItsTracksInTracksMinutesSecondsFrames)
{
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(device.mode(), Mode::Stopped);
    EXPECT_EQ(device.numberOfTracks(), 3);
    EXPECT_EQ(device.firstTrack(), 1);
    EXPECT_EQ(device.position(), makeTmsf(1, 0, 0, 0));
    uint32_t value = 0;
    ASSERT_EQ(device.trackPosition(3, value), MCI_OK);
    EXPECT_EQ(value, makeTmsf(3, 0, 0, 0));
    ASSERT_EQ(device.trackLength(2, value), MCI_OK);
    EXPECT_EQ(value, makeMsf(0, 5, 0));
    EXPECT_EQ(device.length(), makeMsf(0, 15, 0));
    EXPECT_EQ(device.trackPosition(4, value), MCIERR_OUTOFRANGE);
    EXPECT_EQ(device.setTimeFormat(3), MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(device.timeFormat(), MCI_FORMAT_TMSF);
}

TEST_F(OpenDisc, PlaysPausesResumesAndStopsWherePlayed)
{
    ASSERT_EQ(device.play(), MCI_OK);
    EXPECT_EQ(device.mode(), Mode::Playing);
    ASSERT_TRUE(playedPast(20 * S));
    ASSERT_EQ(device.pause(), MCI_OK);
    EXPECT_EQ(device.mode(), Mode::Paused);
    const int64_t paused = device.positionSamples();
    testsupport::pumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(device.positionSamples(), paused);
    // Play while paused resumes from there.
    ASSERT_EQ(device.play(), MCI_OK);
    EXPECT_EQ(device.mode(), Mode::Playing);
    ASSERT_TRUE(playedPast(paused));
    ASSERT_EQ(device.stop(), MCI_OK);
    EXPECT_EQ(device.mode(), Mode::Stopped);
    const int64_t stopped = device.positionSamples();
    EXPECT_GT(stopped, paused);
    EXPECT_EQ(tmsfTrack(device.position()), 1);
    // Play after a stop goes on from the stop.
    ASSERT_EQ(device.play(), MCI_OK);
    ASSERT_TRUE(playedPast(stopped));
    device.close();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.mode(), Mode::NotReady);
}

TEST_F(OpenDisc, NextAndPreviousMoveByTrackAndKeepPlaying)
{
    ASSERT_EQ(device.play(), MCI_OK);
    ASSERT_EQ(device.nextTrack(), MCI_OK);
    EXPECT_EQ(device.mode(), Mode::Playing);
    ASSERT_TRUE(playedPast(375 * S));
    EXPECT_EQ(device.currentTrack(), 2);
    // Within the first second of track 2: back to track 1.
    ASSERT_EQ(device.previousTrack(), MCI_OK);
    ASSERT_TRUE(waitFor([&] { return device.positionSamples() < 375 * S; }));
    EXPECT_EQ(device.currentTrack(), 1);
    EXPECT_EQ(device.mode(), Mode::Playing);
    ASSERT_EQ(device.stop(), MCI_OK);

    // Stopped, the position moves and nothing plays.
    ASSERT_EQ(device.seek(makeTmsf(3, 0, 2, 0)), MCI_OK);
    ASSERT_EQ(device.nextTrack(), MCI_OK);  // the last track: its own start
    EXPECT_EQ(device.position(), makeTmsf(3, 0, 0, 0));
    EXPECT_EQ(device.mode(), Mode::Stopped);
    ASSERT_EQ(device.seek(makeTmsf(2, 0, 1, 10)), MCI_OK);
    ASSERT_EQ(device.previousTrack(), MCI_OK);  // more than a second in: start of track 2
    EXPECT_EQ(device.position(), makeTmsf(2, 0, 0, 0));
    ASSERT_EQ(device.previousTrack(), MCI_OK);
    EXPECT_EQ(device.position(), makeTmsf(1, 0, 0, 0));
    ASSERT_EQ(device.previousTrack(), MCI_OK);  // track 1 stays
    EXPECT_EQ(device.position(), makeTmsf(1, 0, 0, 0));

    // Paused, the device stays paused at the new track.
    ASSERT_EQ(device.play(), MCI_OK);
    ASSERT_EQ(device.pause(), MCI_OK);
    ASSERT_EQ(device.nextTrack(), MCI_OK);
    EXPECT_EQ(device.mode(), Mode::Paused);
    EXPECT_EQ(device.position(), makeTmsf(2, 0, 0, 0));
    EXPECT_EQ(device.seek(makeTmsf(9, 0, 0, 0)), MCIERR_OUTOFRANGE);
}

TEST_F(OpenDisc, TheEndOfPlayStopsAndNotifies)
{
    NotifyTarget target;
    ASSERT_EQ(device.play(makeTmsf(3, 0, 4, 50), std::nullopt, &target), MCI_OK);
    ASSERT_TRUE(waitFor([&] { return !target.results.empty(); }));
    EXPECT_EQ(target.results, std::vector<intptr_t>{MCI_NOTIFY_SUCCESSFUL});
    EXPECT_EQ(device.mode(), Mode::Stopped);
    EXPECT_EQ(device.positionSamples(), 1125 * S);

    // A play interrupted by a stop, or replaced by another that asks too, says so.
    target.results.clear();
    ASSERT_EQ(device.play(makeTmsf(1, 0, 0, 0), std::nullopt, &target), MCI_OK);
    ASSERT_EQ(device.stop(), MCI_OK);
    ASSERT_EQ(device.play(makeTmsf(1, 0, 0, 0), std::nullopt, &target), MCI_OK);
    ASSERT_EQ(device.play(makeTmsf(2, 0, 0, 0), makeTmsf(2, 0, 0, 30), &target), MCI_OK);
    ASSERT_TRUE(waitFor([&] { return target.results.size() == 3; }));
    EXPECT_EQ(target.results,
              (std::vector<intptr_t>{MCI_NOTIFY_ABORTED, MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}));
    EXPECT_EQ(device.currentTrack(), 2);
}

TEST_F(OpenDisc, TheDoorOfAnImageRefusesQuietly)
{
    EXPECT_EQ(device.openDoor(), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(device.closeDoor(), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(device.numberOfTracks(), 3);
    EXPECT_EQ(device.play(), MCI_OK);
}

TEST(CdAudioDevice, RefusesWhatIsNoAudioCd)
{
    CdAudioDevice device;
    EXPECT_EQ(device.play(), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(device.pause(), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(device.stop(), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(device.nextTrack(), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(device.previousTrack(), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(device.openDoor(), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(errorText(MCIERR_INVALID_DEVICE_ID), "Aucun périphérique MCI ouvert");

    EXPECT_EQ(device.open("/nonexistent/drive*.cda", true), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(device.open(element("files/tone440.wav"), true), MCIERR_INVALID_FILE);
    EXPECT_EQ(device.open(element("damaged/empty.mp3"), true), MCIERR_INVALID_FILE);
    EXPECT_EQ(device.open(element("cd"), true), MCIERR_INVALID_FILE);
    QTemporaryDir dir;
    QFile cue(dir.filePath("lost.cue"));
    ASSERT_TRUE(cue.open(QIODevice::WriteOnly));
    cue.write("FILE \"lost.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    cue.close();
    EXPECT_EQ(device.open(dir.filePath("lost.cue").toStdString(), true), MCIERR_INVALID_FILE);
    EXPECT_FALSE(device.isOpen());
    // A sheet without an index puts its track before the disc's first sector: reading there would
    // never end.
    ASSERT_TRUE(QFile::copy(testsupport::media("cd/disc.bin"), dir.filePath("early.bin")));
    QFile early(dir.filePath("early.cue"));
    ASSERT_TRUE(early.open(QIODevice::WriteOnly));
    early.write("FILE \"early.bin\" BINARY\n  TRACK 03 AUDIO\n    00:10:00\n");
    early.close();
    EXPECT_EQ(device.open(dir.filePath("early.cue").toStdString(), true), MCIERR_INVALID_FILE);
    EXPECT_FALSE(device.isOpen());
    EXPECT_FALSE(errorText(MCIERR_INVALID_FILE).empty());
}

TEST(CdAudioDevice, MixedDiscPlaysItsAudioTracksByTheirNumbers)
{
    CdAudioDevice device;
    ASSERT_EQ(device.open(testsupport::media("cd/mixed.cue").toStdString(), false), MCI_OK);
    ASSERT_EQ(device.setTimeFormat(MCI_FORMAT_TMSF), MCI_OK);
    EXPECT_EQ(device.numberOfTracks(), 4);
    EXPECT_EQ(device.position(), makeTmsf(2, 0, 0, 0));  // the data track is passed over
    ASSERT_EQ(device.previousTrack(), MCI_OK);
    EXPECT_EQ(device.position(), makeTmsf(2, 0, 0, 0));
    ASSERT_EQ(device.seek(makeTmsf(1, 0, 0, 0)), MCI_OK);
    ASSERT_EQ(device.play(), MCI_OK);
    ASSERT_TRUE(waitFor([&] { return device.positionSamples() > 150 * S; }));
    EXPECT_EQ(device.currentTrack(), 2);
    ASSERT_EQ(device.nextTrack(), MCI_OK);
    ASSERT_EQ(device.nextTrack(), MCI_OK);
    ASSERT_EQ(device.nextTrack(), MCI_OK);
    ASSERT_TRUE(waitFor([&] { return device.positionSamples() > 900 * S; }));
    EXPECT_EQ(device.currentTrack(), 4);
}

TEST(CdAudioDevice, AChangedDiscIsSeenAtTheNextOpen)
{
    // The "drive" is a CUE sheet whose disc is swapped between two opens (the CD reader takes the
    // sound from the BIN file named like the sheet).
    QTemporaryDir dir;
    const QString cue = dir.filePath("disc.cue");
    const QString bin = dir.filePath("disc.bin");
    ASSERT_TRUE(QFile::copy(testsupport::media("cd/disc.cue"), cue));
    ASSERT_TRUE(QFile::copy(testsupport::media("cd/disc.bin"), bin));
    CdAudioDevice device;
    ASSERT_EQ(device.open((cue + "*.cda").toStdString(), true), MCI_OK);
    EXPECT_EQ(device.numberOfTracks(), 3);
    device.close();

    QFile mixed(testsupport::media("cd/mixed.cue"));
    ASSERT_TRUE(mixed.open(QIODevice::ReadOnly));
    const QByteArray sheet = mixed.readAll().replace("mixed.bin", "disc.bin");
    ASSERT_TRUE(QFile::remove(cue) && QFile::remove(bin));
    ASSERT_TRUE(QFile::copy(testsupport::media("cd/mixed.bin"), bin));
    QFile swapped(cue);
    ASSERT_TRUE(swapped.open(QIODevice::WriteOnly));
    swapped.write(sheet);
    swapped.close();
    ASSERT_EQ(device.open((cue + "*.cda").toStdString(), true), MCI_OK);
    EXPECT_EQ(device.numberOfTracks(), 4);
    EXPECT_EQ(device.firstTrack(), 1);
}

namespace {

// Sectors whose samples all hold the sector's number; one sector may fail to read.
class NumberedSectors : public SectorSource {
public:
    int32_t failing = -1;
    bool readSector(int32_t sector, int16_t* samples) override
    {
        if (sector == failing)
            return false;
        std::fill(samples, samples + kSamplesPerSector * 2, int16_t(sector));
        return true;
    }
};

}  // namespace

TEST(CdPlayback, AnUnreadableSectorEndsThePlayAsIncomplete)
{
    NumberedSectors source;
    source.failing = 12;
    CdPlayback playback(source);
    std::atomic<int> ends{0};
    std::atomic<bool> complete{true};
    playback.onEnded = [&](uint64_t, bool whole) {
        complete = whole;
        ++ends;
    };
    playback.start({{0, 4}, {10, 20}});
    ASSERT_TRUE(waitFor([&] { return ends > 0; }));
    EXPECT_FALSE(complete);
    EXPECT_EQ(playback.state(), CdPlayback::State::Stopped);
    EXPECT_EQ(playback.position(), 12 * S);  // everything before the bad sector was played

    source.failing = -1;
    playback.start({{0, 2}});
    ASSERT_TRUE(waitFor([&] { return ends > 1; }));
    EXPECT_TRUE(complete);
}
