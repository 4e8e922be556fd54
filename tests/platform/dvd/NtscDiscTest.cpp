// The navigator on the generated NTSC disc: the frame, the buttons, the frame rate and the shape
// follow each title set's video attributes; a timed still waits while playback is paused.
#include "NavigatorFixture.h"

using namespace navtest;

namespace {

// Records the picture formats the navigator announces, besides what the paced output keeps.
class FormatOutput : public PacedOutput {
public:
    void onPictureFormat(int width, int height, bool wide) override
    {
        std::lock_guard lock(formatMutex_);
        width_ = width;
        height_ = height;
        wide_ = wide;
    }
    std::tuple<int, int, bool> Format()
    {
        std::lock_guard lock(formatMutex_);
        return {width_, height_, wide_};
    }

private:
    std::mutex formatMutex_;
    int width_ = 0, height_ = 0;
    bool wide_ = false;
};

class NtscDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(navigator.open(testsupport::media("dvd-ntsc")));
        control = std::make_shared<NavigatorControl>(navigator);
        navigator.setTimeEvents(true);
        navigator.start(&output);
        navigator.setRunning(true);
        ASSERT_TRUE(WaitUntil([&] {
            const auto s = navigator.snapshot();
            return s.domain == DVD_DOMAIN_VideoManagerMenu && s.buttonCount == 2 && s.still;
        }));
    }
    void TearDown() override { navigator.close(); }
    NavSnapshot Snap() { return navigator.snapshot(); }
    bool InTitle(int title)
    {
        return WaitUntil([&] { return Snap().domain == DVD_DOMAIN_Title && Snap().title == title; });
    }

    FormatOutput output;
    Navigator navigator;
    std::shared_ptr<NavigatorControl> control;
};

}  // namespace

TEST_F(NtscDisc, TheMenuIsLaidOnAnNtscFrameAndItsLowButtonsAreHitWhereTheyAre)
{
    EXPECT_EQ(Snap().pictureHeight, 480);
    EXPECT_EQ(Snap().framesPerSecond, 30);
    EXPECT_EQ(output.Format(), std::make_tuple(720, 480, false));
    ASSERT_EQ(control->SelectAtPosition(500, 430), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return output.LastHighlight().button == 2; }));
    const Highlight h = output.LastHighlight();
    EXPECT_NEAR(h.top, 380, 2);
    EXPECT_NEAR(h.bottom, 439, 2);
    // Above the buttons there is none.
    EXPECT_EQ(control->SelectAtPosition(500, 360), VFW_E_DVD_NO_BUTTON);
}

TEST_F(NtscDisc, TimesCountThirtyFramesASecond)
{
    ASSERT_EQ(control->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(InTitle(1));
    DVD_HMSF_TIMECODE total{};
    uint32_t flags = 0;
    ASSERT_EQ(control->GetTotalTitleTime(total, flags), S_OK);
    EXPECT_EQ(flags, DVD_TC_FLAG_30fps);
    EXPECT_EQ(total.bSeconds, 4);
    output.ClearEvents();
    ASSERT_TRUE(WaitUntil([&] { return output.Count(EC_DVD_CURRENT_HMSF_TIME) >= 2; }, 6s));
    for (const auto& e : output.Events()) {
        if (e.code != EC_DVD_CURRENT_HMSF_TIME)
            continue;
        EXPECT_EQ(uint32_t(e.p2) >> 30 & 3, 3u) << "frame rate code of 30 frames a second";
        EXPECT_LT(UnpackHmsf(uint32_t(e.p1)).bFrames, 30);
    }
    // A time of 29 frames is still within its second; the go-to lands in chapter 2 (2 s on).
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->PlayAtTime({0, 0, 2, 29}, 0, &command), S_OK);
    EXPECT_EQ(command->WaitForEnd(), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return Snap().chapter == 2; }));
}

TEST_F(NtscDisc, AWideTitleSaysSoAndItsTimedStillWaitsWhilePaused)
{
    // Button 2 of the menu leads there.
    ASSERT_EQ(control->ActivateAtPosition(500, 410), S_OK);
    ASSERT_TRUE(InTitle(2));
    EXPECT_TRUE(WaitUntil([&] { return Snap().wide; }));
    EXPECT_EQ(output.Format(), std::make_tuple(720, 480, true));
    // The title ends on a still of two seconds; paused, it lasts.
    ASSERT_TRUE(WaitUntil([&] { return Snap().still && Snap().domain == DVD_DOMAIN_Title; }, 6s));
    navigator.setPaused(true);
    std::this_thread::sleep_for(3s);
    EXPECT_TRUE(Snap().still);
    EXPECT_EQ(Snap().domain, DVD_DOMAIN_Title);

    navigator.setPaused(false);
    EXPECT_TRUE(WaitUntil([&] { return Snap().domain == DVD_DOMAIN_VideoManagerMenu; }, 5s));
}
