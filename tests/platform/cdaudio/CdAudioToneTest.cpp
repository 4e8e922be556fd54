// The disc's tracks, heard: track 1 is a 440 Hz tone and track 2 a 660 Hz one, so what SDL's
// file-writing driver wrote tells which track played, and that next track changed it.
#include "platform/cdaudio/CdAudioDevice.h"

#include "platform/media/MediaTestSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cdaudio;
using testsupport::waitFor;

TEST(CdAudioTone, TrackOneThenNextTrackIsHeard)
{
    QTemporaryDir dir;
    const QString capture = dir.filePath("out.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", capture.toUtf8());
    {
        CdAudioDevice device;
        ASSERT_EQ(device.open((testsupport::media("cd/disc.cue") + "*.cda").toStdString(), true), MCI_OK);
        ASSERT_EQ(device.setTimeFormat(MCI_FORMAT_TMSF), MCI_OK);
        ASSERT_EQ(device.play(), MCI_OK);
        ASSERT_TRUE(waitFor([&] { return device.positionSamples() > kSampleRate; }));
        ASSERT_EQ(device.nextTrack(), MCI_OK);
        ASSERT_TRUE(waitFor([&] { return device.positionSamples() > 375 * kSamplesPerSector + kSampleRate; }));
        EXPECT_EQ(device.currentTrack(), 2);
        device.close();
    }
    QFile file(capture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pcm = file.readAll();
    const double seconds = double(pcm.size()) / (kSampleRate * 4);
    ASSERT_GT(seconds, 1.5);
    // Quarter-second windows with sound in them, and the tone of each.
    std::vector<double> tones;
    for (double at = 0; at + 0.25 <= seconds; at += 0.25) {
        const auto samples = mediatest::leftChannel(pcm, kSampleRate, at, 0.25);
        double energy = 0;
        for (float s : samples)
            energy += double(s) * s;
        if (energy / double(samples.size()) > 1e-3)
            tones.push_back(mediatest::strongestTone(samples, kSampleRate, {440, 660, 880}));
    }
    ASSERT_GE(tones.size(), 4u);
    EXPECT_EQ(tones.front(), 440.0);
    EXPECT_EQ(tones.back(), 660.0);
    // Track 1 then track 2, never back and never track 3.
    const auto first660 = std::find(tones.begin(), tones.end(), 660.0);
    EXPECT_EQ(std::count(first660, tones.end(), 440.0), 0);
    EXPECT_EQ(std::count(tones.begin(), tones.end(), 880.0), 0);
}
