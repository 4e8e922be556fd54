// Files played through the real platform: pictures, sound, pause, seeking, rate and end of stream.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include "platform/media/VideoRendererWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

using namespace media;
using mediatest::GraphUnderTest;
using mediatest::placeIn;
using testsupport::waitFor;

namespace {

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}


class Env {
public:
    Env(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~Env()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

}  // namespace

TEST(Playback, VideoFilesShowTheirColourInTheRendererWindow)
{
    struct Case {
        const char* file;
        int r, g, b;
    };
    for (const Case& c : {Case{"files/red.avi", 255, 0, 0}, Case{"files/green.mpg", 0, 255, 0},
                          Case{"files/halves.mpeg", 0, 0, 255}}) {
        SCOPED_TRACE(c.file);
        GraphUnderTest g;
        ASSERT_EQ(g.render(c.file), S_OK);
        QWidget host;
        host.resize(320, 240);
        host.show();
        placeIn(g, host);
        ASSERT_EQ(g.graph->Run(), S_OK);
        VideoRendererWindow* window = g.graph->rendererWindow();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->parentWidget(), &host);
        EXPECT_TRUE(waitFor([&] { return mediatest::near(mediatest::middleColour(window->grab().toImage()), c.r, c.g, c.b); },
                            std::chrono::seconds(10)));
        EXPECT_TRUE(window->isVisible());
        g.graph->Stop();
    }
}

TEST(Playback, MusicFilesPlayToTheirEndWithoutAVideoWindow)
{
    for (const char* file : {"files/tone440.wav", "files/tone660.mp2", "files/tone880.mp3", "files/melody.mid"}) {
        SCOPED_TRACE(file);
        GraphUnderTest g;
        ASSERT_EQ(g.render(file), S_OK);
        EXPECT_FALSE(com::query<IVideoWindow>(g.graph));
        EXPECT_FALSE(com::query<IBasicVideo2>(g.graph));
        EXPECT_TRUE(com::query<IBasicAudio>(g.graph));
        com::Ref<IBaseFilter> renderer;
        EXPECT_EQ(g.graph->FindFilterByName("Video Renderer", renderer), VFW_E_NOT_FOUND);
        REFERENCE_TIME duration = 0;
        ASSERT_EQ(g.graph->GetDuration(duration), S_OK);
        EXPECT_NEAR(double(duration) / UNITS, std::string(file).ends_with(".mid") ? 2.0 : 3.0, 0.3);
        ASSERT_EQ(g.graph->Run(), S_OK);
        EXPECT_TRUE(g.waitForEvent(EC_COMPLETE, 10));
        EXPECT_NEAR(g.position(), double(duration) / UNITS, 0.3);
    }
}

TEST(Playback, SoundWrittenByTheDiskDriverCarriesTheFilesTone)
{
    QTemporaryDir dir;
    const QString capture = dir.filePath("out.raw");
    Env driver("SDL_AUDIODRIVER", "disk");
    Env file("SDL_DISKAUDIOFILE", capture.toUtf8());
    struct Case {
        const char* file;
        double tone;
        double from;
    };
    for (const Case& c : {Case{"files/tone440.wav", 440, 1.0}, Case{"files/tone660.mp2", 660, 1.0},
                          Case{"files/tone880.mp3", 880, 1.0}, Case{"files/red.avi", 1000, 1.0},
                          Case{"files/melody.mid", 440, 0.1}}) {
        SCOPED_TRACE(c.file);
        QFile::remove(capture);
        {
            GraphUnderTest g;
            g.graph->SetRate(c.tone == 1000 ? 2.0 : 1.0);  // the long one at twice the speed
            ASSERT_EQ(g.render(c.file), S_OK);
            ASSERT_TRUE(g.graph->playback()->hasAudioDevice());
            g.graph->Run();
            EXPECT_TRUE(g.waitForEvent(EC_COMPLETE, 10));
        }
        QFile f(capture);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray pcm = f.readAll();
        constexpr int rate = 44100;
        // At twice the speed every tone comes out an octave higher.
        const double expected = c.tone == 1000 ? 2000 : c.tone;
        const auto samples = mediatest::leftChannel(pcm, rate, c.from, 0.3);
        ASSERT_GT(samples.size(), 1000u);
        EXPECT_EQ(mediatest::strongestTone(samples, rate, {440, 554.37, 659.26, 660, 880, 1000, 2000}), expected);
    }
}

TEST(Playback, PauseHoldsPictureAndClockThenRunAndStop)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/halves.mpeg"), S_OK);
    QWidget host;
    host.resize(352, 288);
    host.show();
    placeIn(g, host);
    g.graph->Run();
    ASSERT_TRUE(waitFor([&] { return g.position() > 1.0; }));
    ASSERT_EQ(g.graph->Pause(), S_OK);
    FILTER_STATE state;
    g.graph->GetState(0, state);
    EXPECT_EQ(state, State_Paused);
    const double held = g.position();
    settle(150);
    const QImage picture = g.graph->rendererWindow()->picture();
    settle(400);
    EXPECT_DOUBLE_EQ(g.position(), held);
    EXPECT_EQ(g.graph->rendererWindow()->picture(), picture);
    EXPECT_TRUE(mediatest::near(mediatest::middleColour(picture), 0, 0, 255));

    g.graph->Run();
    EXPECT_TRUE(waitFor([&] { return g.position() > held + 0.3; }));
    g.graph->Stop();
    const double stopped = g.position();
    settle(300);
    EXPECT_DOUBLE_EQ(g.position(), stopped);  // Stop keeps the position
    EXPECT_GT(stopped, held);
}

TEST(Playback, AbsoluteSeeksLandWithinHalfASecondAndShowThePictureThere)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/halves.mpeg"), S_OK);
    QWidget host;
    host.resize(352, 288);
    host.show();
    placeIn(g, host);
    uint32_t caps = 0;
    g.graph->GetCapabilities(caps);
    EXPECT_TRUE(caps & AM_SEEKING_CanSeekAbsolute);
    EXPECT_TRUE(caps & AM_SEEKING_CanGetDuration);
    REFERENCE_TIME duration = 0;
    g.graph->GetDuration(duration);
    EXPECT_NEAR(double(duration) / UNITS, 10.0, 0.3);
    g.graph->Pause();

    struct Case {
        double at;
        int r, g, b;
    };
    for (const Case& c : {Case{0.5 * double(duration) / UNITS + 2.5, 255, 255, 0}, Case{2.5, 0, 0, 255},
                          Case{0.5 * double(duration) / UNITS, -1, -1, -1}}) {
        SCOPED_TRACE(c.at);
        REFERENCE_TIME target = REFERENCE_TIME(c.at * UNITS);
        ASSERT_EQ(g.graph->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning), S_OK);
        EXPECT_NEAR(g.position(), c.at, 0.5);
        if (c.r >= 0) {
            EXPECT_TRUE(waitFor(
                [&] {
                    return mediatest::near(mediatest::middleColour(g.graph->rendererWindow()->picture()), c.r, c.g, c.b);
                },
                std::chrono::seconds(10)));
        }
    }
    QElapsedTimer playing;
    playing.start();
    g.graph->Run();
    settle(300);
    EXPECT_NEAR(g.position(), 0.5 * double(duration) / UNITS + playing.elapsed() / 1000.0, 0.5);
}

TEST(Playback, RateTwoPlaysTwiceAsFastAndCompleteArrivesOnce)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/green.mpg"), S_OK);
    EXPECT_EQ(g.graph->SetRate(0.0), E_INVALIDARG);
    EXPECT_EQ(g.graph->SetRate(9.0), E_INVALIDARG);
    ASSERT_EQ(g.graph->SetRate(2.0), S_OK);
    double rate = 0;
    g.graph->GetRate(rate);
    EXPECT_EQ(rate, 2.0);
    g.graph->Run();
    ASSERT_TRUE(waitFor([&] { return g.position() > 0.5; }));
    QElapsedTimer wall;
    wall.start();
    const double from = g.position();
    settle(1200);
    const double speed = (g.position() - from) / (wall.elapsed() / 1000.0);
    EXPECT_GT(speed, 1.6);
    EXPECT_LT(speed, 2.4);

    EXPECT_TRUE(g.waitForEvent(EC_COMPLETE, 8));
    settle(700);
    g.drain();
    EXPECT_EQ(g.count(EC_COMPLETE), 1);
    EXPECT_EQ(g.count(EC_ERRORABORT), 0);
}

TEST(Playback, WithoutASoundDeviceTheGraphPlaysOnTheMonotonicClock)
{
    Env driver("SDL_AUDIODRIVER", "no-such-driver");
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/tone440.wav"), S_OK);
    EXPECT_FALSE(g.graph->playback()->hasAudioDevice());
    g.graph->Run();
    EXPECT_TRUE(waitFor([&] { return g.position() > 0.5; }));
    EXPECT_TRUE(g.waitForEvent(EC_COMPLETE, 8));
}

TEST(Playback, MidiWithoutASoundFontFailsToRender)
{
    Env font("VISTREL_SOUNDFONT", "/nonexistent/none.sf2");
    GraphUnderTest g;
    EXPECT_TRUE(FAILED(g.render("files/melody.mid")));
    EXPECT_EQ(g.filterCount(), 0u);
}

namespace {

// Plays `file` to its end with the disk driver and returns what was written.
QByteArray capture(const char* file, const std::function<void(GraphUnderTest&)>& before)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.raw");
    Env driver("SDL_AUDIODRIVER", "disk");
    Env out("SDL_DISKAUDIOFILE", path.toUtf8());
    {
        GraphUnderTest g;
        if (g.render(file) != S_OK)
            return {};
        before(g);
        g.graph->Run();
        if (!g.waitForEvent(EC_COMPLETE, 10))
            return {};
    }
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

double peak(const QByteArray& pcm, int channel)
{
    const auto* s = reinterpret_cast<const int16_t*>(pcm.constData());
    int best = 0;
    for (qsizetype i = channel; i + 1 < pcm.size() / 2; i += 2)
        best = std::max(best, std::abs(int(s[i])));
    return best / 32768.0;
}

}  // namespace

TEST(Playback, VolumeAndBalanceShapeTheWrittenSound)
{
    const QByteArray full = capture("files/tone440.wav", [](GraphUnderTest&) {});
    const QByteArray silent = capture("files/tone440.wav", [](GraphUnderTest& g) {
        EXPECT_EQ(com::query<IBasicAudio>(g.graph)->put_Volume(AUDIO_VOLUME_SILENCE), S_OK);
    });
    const QByteArray right = capture("files/tone440.wav", [](GraphUnderTest& g) {
        auto audio = com::query<IBasicAudio>(g.graph);
        EXPECT_EQ(audio->put_Volume(-600), S_OK);  // -6 dB: half the amplitude
        EXPECT_EQ(audio->put_Balance(10000), S_OK);
        EXPECT_EQ(audio->put_Volume(1), E_INVALIDARG);
    });
    ASSERT_FALSE(full.isEmpty());
    ASSERT_FALSE(silent.isEmpty());
    ASSERT_FALSE(right.isEmpty());
    EXPECT_GT(peak(full, 0), 0.2);
    EXPECT_EQ(peak(silent, 0), 0.0);
    EXPECT_EQ(peak(silent, 1), 0.0);
    EXPECT_LT(peak(right, 0), 0.01);
    EXPECT_NEAR(peak(right, 1) / peak(full, 1), 0.5, 0.05);
}

TEST(Playback, MidiSeeksToTheNoteAtTheTarget)
{
    const QByteArray pcm = capture("files/melody.mid", [](GraphUnderTest& g) {
        g.graph->Pause();
        // Just before the third note (E5): notes struck before the target do not sound again.
        REFERENCE_TIME target = REFERENCE_TIME(0.9 * UNITS);
        EXPECT_EQ(g.graph->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    });
    const auto* s = reinterpret_cast<const int16_t*>(pcm.constData());
    qsizetype first = 0;
    while (first < pcm.size() / 4 && std::abs(int(s[2 * first])) < 300)
        ++first;  // the device's silence before the sound
    const auto samples = mediatest::leftChannel(pcm, 44100, double(first) / 44100 + 0.05, 0.2);
    ASSERT_GT(samples.size(), 4000u);
    EXPECT_EQ(mediatest::strongestTone(samples, 44100, {440, 554.37, 659.26, 880}), 659.26);
}
