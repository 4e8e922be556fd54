// The disc's two audio languages, heard: French is a 440 Hz tone, English 880 Hz.
#include "platform/dvd/DvdGraph.h"

#include "platform/media/MediaTestSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dvd;
using testsupport::waitFor;
using namespace std::chrono_literals;

TEST(DvdAudio, SelectingTheSecondStreamChangesTheTone)
{
    QTemporaryDir dir;
    const QString capture = dir.filePath("out.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", capture.toUtf8());
    {
        auto graph = DvdGraph::create();
        AM_DVD_RENDERSTATUS status;
        ASSERT_EQ(graph->RenderDvdVideoVolume(testsupport::media("dvd"), 0, status), S_OK);
        ASSERT_TRUE(graph->player()->hasAudioDevice());
        Ref<IUnknown> unknown;
        ASSERT_EQ(graph->GetDvdInterface(IDvdControl2::IID, unknown), S_OK);
        auto control = com::query<IDvdControl2>(unknown);
        ASSERT_EQ(graph->Run(), S_OK);
        ASSERT_TRUE(waitFor([&] { return graph->navigator().snapshot().buttonCount == 2; }));
        ASSERT_EQ(control->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
        testsupport::pumpFor(2500ms);
        Ref<IDvdCmd> command;
        ASSERT_EQ(control->SelectAudioStream(1, 0, &command), S_OK);
        command->WaitForEnd();
        testsupport::pumpFor(2500ms);
        graph->Stop();
    }
    QFile file(capture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pcm = file.readAll();
    const int rate = 48000;
    const double seconds = double(pcm.size()) / (rate * 4);
    ASSERT_GT(seconds, 3.0);
    // Quarter-second windows: which tone each one carries, if any.
    const std::vector<double> tones = mediatest::tonesPerWindow(pcm, rate, {440, 880});
    const auto first440 = std::find(tones.begin(), tones.end(), 440.0);
    const auto first880 = std::find(tones.begin(), tones.end(), 880.0);
    ASSERT_NE(first440, tones.end()) << "the French tone was never heard";
    ASSERT_NE(first880, tones.end()) << "the English tone was never heard";
    EXPECT_LT(first440, first880);
    // Once switched, the French tone does not come back.
    EXPECT_EQ(std::find(first880, tones.end(), 440.0), tones.end());
}
