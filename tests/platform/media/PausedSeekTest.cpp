// Paused seeks in quick succession: each shows the picture at its own position, even one made
// while the renderer is still handing over the picture of the seek before it.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include "platform/media/Playback.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

using namespace media;

namespace {

// Records the colour of every picture handed to it; when told to, keeps the renderer thread
// inside the next hand-over until released, as a slow window would.
class GatedSink : public VideoSink {
public:
    QSize targetSize() const override { return {88, 72}; }

    void present(const QImage& picture) override
    {
        std::unique_lock lock(mutex_);
        colours_.push_back(mediatest::middleColour(picture));
        changed_.notify_all();
        if (!holdNext_)
            return;
        holdNext_ = false;
        held_ = true;
        changed_.notify_all();
        // Bounded, so that a test gone wrong cannot hang the renderer thread.
        changed_.wait_for(lock, limit(), [&] { return !held_; });
        held_ = false;
    }

    void holdNext()
    {
        std::lock_guard lock(mutex_);
        holdNext_ = true;
    }
    // Waits until the renderer is held inside a hand-over.
    bool waitHeld()
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit(), [&] { return held_; });
    }
    void release()
    {
        std::lock_guard lock(mutex_);
        held_ = false;
        changed_.notify_all();
    }
    size_t count()
    {
        std::lock_guard lock(mutex_);
        return colours_.size();
    }
    // Waits until a picture after the first `after` ones has about this colour.
    bool waitForColour(size_t after, int r, int g, int b)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit(), [&] {
            for (size_t i = after; i < colours_.size(); ++i)
                if (mediatest::near(colours_[i], r, g, b))
                    return true;
            return false;
        });
    }
    QColor last()
    {
        std::lock_guard lock(mutex_);
        return colours_.empty() ? QColor() : colours_.back();
    }

private:
    static std::chrono::seconds limit() { return std::chrono::seconds(10 * testsupport::timeScale()); }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<QColor> colours_;
    bool holdNext_ = false;
    bool held_ = false;
};

struct Colour {
    int r, g, b;
};
constexpr Colour kBlue{0, 0, 255};    // the first half of files/halves.mpeg
constexpr Colour kYellow{255, 255, 0};  // its second half

struct Target {
    double at;
    Colour colour;
};

class PausedSeek : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlaybackOptions options;
        options.videoSink = sink;
        options.audioDevice = false;
        ASSERT_EQ(playback.open(testsupport::media("files/halves.mpeg"), options), S_OK);
        // Opened stopped at the start: its first picture shows.
        ASSERT_TRUE(sink->waitForColour(0, kBlue.r, kBlue.g, kBlue.b));
        playback.pause();
    }

    std::shared_ptr<GatedSink> sink = std::make_shared<GatedSink>();
    Playback playback{[](int32_t, LONG_PTR, LONG_PTR) {}};
};

}  // namespace

TEST_F(PausedSeek, ASeekMadeWhileThePreviousSeeksPictureIsHandedOverShowsItsOwnPicture)
{
    // Each pair crosses the middle of the file and back, as a user dragging the bar does.
    const std::vector<std::pair<Target, Target>> pairs{
        {{8.5, kYellow}, {1.0, kBlue}},
        {{2.0, kBlue}, {7.0, kYellow}},
        {{9.0, kYellow}, {3.0, kBlue}},
        {{4.0, kBlue}, {6.0, kYellow}},
    };
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(testing::Message() << first.at << " then " << second.at);
        sink->holdNext();
        playback.seek(first.at);
        ASSERT_TRUE(sink->waitHeld());
        EXPECT_TRUE(mediatest::near(sink->last(), first.colour.r, first.colour.g, first.colour.b));
        const size_t before = sink->count();
        playback.seek(second.at);  // while the first one's picture is still being handed over
        sink->release();
        ASSERT_TRUE(sink->waitForColour(before, second.colour.r, second.colour.g, second.colour.b));
        EXPECT_NEAR(playback.position(), second.at, 0.5);
    }
}

TEST_F(PausedSeek, RapidSeeksEachShowTheirOwnHalf)
{
    // No holding: the seeks come as fast as the pictures do, alternating between the halves.
    const std::vector<Target> targets{{7.5, kYellow}, {0.5, kBlue}, {5.5, kYellow}, {4.5, kBlue},
                                      {9.5, kYellow}, {2.5, kBlue}, {6.5, kYellow}, {1.5, kBlue}};
    for (int round = 0; round < 3; ++round) {
        for (const Target& t : targets) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", " << t.at << " s");
            const size_t before = sink->count();
            playback.seek(t.at);
            ASSERT_TRUE(sink->waitForColour(before, t.colour.r, t.colour.g, t.colour.b));
        }
    }
    EXPECT_EQ(playback.state(), State_Paused);
}

TEST_F(PausedSeek, ATargetLateInAGroupOfPicturesShowsThePictureThereNotTheNextKeyPicture)
{
    // halves.mpeg has a key picture each second and no index: a seek lands on the packets near
    // the target, past the key picture before it. Just before the middle the picture is still
    // blue, and the next key picture would be yellow; just before the end, past the last key
    // picture, it is yellow.
    for (const Target& t : {Target{4.9, kBlue}, Target{9.9, kYellow}, Target{4.7, kBlue}, Target{9.6, kYellow}}) {
        SCOPED_TRACE(t.at);
        const size_t before = sink->count();
        playback.seek(t.at);
        ASSERT_TRUE(sink->waitForColour(before, t.colour.r, t.colour.g, t.colour.b));
        EXPECT_TRUE(mediatest::near(sink->last(), t.colour.r, t.colour.g, t.colour.b));
    }
}
