// The navigator on the generated disc, without decoding: a paced output stands in for the player
// (it takes payloads as fast as real time would play them) and records what comes out.
#include "platform/dvd/Navigator.h"
#include "platform/dvd/NavigatorControl.h"

#include "platform/media/Clock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

using namespace dvd;
using namespace std::chrono_literals;

namespace {

class PacedOutput : public NavigatorOutput {
public:
    void OnPayload(const EsPayload& payload, int serial) override
    {
        std::lock_guard lock(mutex_);
        if (payload.kind == EsKind::Video && payload.pts >= 0) {
            if (serial != serial_ || startPts_ < 0) {
                serial_ = serial;
                startPts_ = payload.pts;
                startAt_ = media::Clock::now();
            }
            aheadPts_ = payload.pts;
        }
        if (payload.kind == EsKind::Ac3)
            ++audio_[payload.number & 7];
        if (payload.kind == EsKind::Subpicture)
            ++subpictures_;
    }
    void OnFlush(int serial) override
    {
        std::lock_guard lock(mutex_);
        serial_ = serial;
        startPts_ = -1;
        ++flushes_;
    }
    void OnStill(int) override
    {
        std::lock_guard lock(mutex_);
        ++stills_;
    }
    void OnHighlight(const Highlight& h) override
    {
        std::lock_guard lock(mutex_);
        highlight_ = h;
    }
    void OnColourTable(const std::array<uint32_t, 16>&) override {}
    void OnEvent(int32_t code, LONG_PTR p1, LONG_PTR p2) override
    {
        std::lock_guard lock(mutex_);
        events_.push_back({code, p1, p2});
    }
    void Drain(const std::function<bool()>&) override {}
    bool Full() const override
    {
        std::lock_guard lock(mutex_);
        if (startPts_ < 0)
            return false;
        // Half a second of picture ahead of real time at most.
        const double played = media::Clock::now() - startAt_;
        return double(aheadPts_ - startPts_) / 90000.0 > played + 0.5;
    }

    struct Event {
        int32_t code;
        LONG_PTR p1, p2;
    };
    std::vector<Event> Events()
    {
        std::lock_guard lock(mutex_);
        return events_;
    }
    int Count(int32_t code)
    {
        int n = 0;
        for (const auto& e : Events())
            n += e.code == code;
        return n;
    }
    void ClearEvents()
    {
        std::lock_guard lock(mutex_);
        events_.clear();
    }
    Highlight LastHighlight()
    {
        std::lock_guard lock(mutex_);
        return highlight_;
    }
    int AudioPackets(int stream)
    {
        std::lock_guard lock(mutex_);
        return audio_[stream];
    }
    void ResetCounts()
    {
        std::lock_guard lock(mutex_);
        audio_.fill(0);
        subpictures_ = 0;
    }

private:
    mutable std::mutex mutex_;
    std::vector<Event> events_;
    Highlight highlight_;
    int serial_ = 0;
    int64_t startPts_ = -1;
    int64_t aheadPts_ = 0;
    double startAt_ = 0;
    int flushes_ = 0;
    int stills_ = 0;
    int subpictures_ = 0;
    std::array<int, 8> audio_{};
};

bool WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 5s)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return pred();
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class NavigatorOnDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(navigator.Open(testsupport::media("dvd")));
        control = std::make_shared<NavigatorControl>(navigator);
        navigator.SetTimeEvents(true);
        navigator.Start(&output);
        navigator.SetRunning(true);
    }
    void TearDown() override { navigator.Close(); }

    NavSnapshot Snap() { return navigator.Snapshot(); }
    bool WaitForMenu()
    {
        return WaitUntil([&] { return Snap().domain == DVD_DOMAIN_VideoManagerMenu && Snap().buttonCount == 2; });
    }
    bool WaitForChapter(int title, int chapter)
    {
        return WaitUntil([&] {
            const auto s = Snap();
            return s.domain == DVD_DOMAIN_Title && s.title == title && s.chapter == chapter;
        });
    }

    PacedOutput output;
    Navigator navigator;
    std::shared_ptr<NavigatorControl> control;
};

}  // namespace

TEST(Navigator, RefusesWhatIsNoDvd)
{
    Navigator navigator;
    EXPECT_FALSE(navigator.Open(testsupport::media("files")));
    EXPECT_FALSE(navigator.Open(testsupport::media("nowhere")));
    EXPECT_FALSE(navigator.Open(testsupport::media("damaged/notmedia.avi")));
    EXPECT_FALSE(navigator.Snapshot().open);
}

TEST_F(NavigatorOnDisc, OpensByFolderByVideoTsAndByIfo)
{
    EXPECT_EQ(navigator.TitleCount(), 2);
    EXPECT_EQ(navigator.ChapterCount(1), 3);
    EXPECT_EQ(navigator.ChapterCount(2), 1);
    EXPECT_EQ(navigator.ChapterCount(3), 0);
    Navigator byFolder, byIfo;
    ASSERT_TRUE(byFolder.Open(testsupport::media("dvd/VIDEO_TS")));
    ASSERT_TRUE(byIfo.Open(testsupport::media("dvd/VIDEO_TS/VIDEO_TS.IFO")));
    // The same disc whichever way it is named.
    EXPECT_EQ(byFolder.DiscId(), navigator.DiscId());
    EXPECT_EQ(byIfo.DiscId(), navigator.DiscId());
    EXPECT_NE(navigator.DiscId(), (std::array<uint8_t, 16>{}));
}

TEST_F(NavigatorOnDisc, StartsInTheTitleMenuAndButtonsLeadToTitles)
{
    ASSERT_TRUE(WaitForMenu());
    EXPECT_TRUE(WaitUntil([&] { return Snap().still; }));
    // Hovering button 2 highlights it where the disc says it is.
    ASSERT_EQ(control->SelectAtPosition(500, 280), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return output.LastHighlight().button == 2; }));
    const Highlight h = output.LastHighlight();
    EXPECT_TRUE(h.shown);
    EXPECT_NEAR(h.left, 400, 2);
    EXPECT_NEAR(h.top, 240, 2);
    EXPECT_NEAR(h.right, 599, 2);
    EXPECT_NEAR(h.bottom, 319, 2);
    // A point on no button selects nothing.
    EXPECT_LT(control->SelectAtPosition(10, 10), 0);
    // Activating button 1 plays title 1 from its first chapter.
    output.ClearEvents();
    ASSERT_EQ(control->ActivateAtPosition(200, 280), S_OK);
    ASSERT_TRUE(WaitForChapter(1, 1));
    EXPECT_TRUE(WaitUntil([&] { return output.Count(EC_DVD_TITLE_CHANGE) >= 1; }));
    EXPECT_GE(output.Count(EC_DVD_CHAPTER_START), 1);
    EXPECT_GE(output.Count(EC_DVD_DOMAIN_CHANGE), 1);
    EXPECT_EQ(Snap().titleLengthMs / 1000, 12);
}

TEST_F(NavigatorOnDisc, ChaptersTimeAndMenusAreCarriedOutAndRangesEnforced)
{
    ASSERT_TRUE(WaitForMenu());
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->PlayChapterInTitle(1, 1, 0, &command), S_OK);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->WaitForEnd(), S_OK);
    ASSERT_TRUE(WaitForChapter(1, 1));

    ASSERT_EQ(control->PlayNextChapter(0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitForChapter(1, 2));
    ASSERT_EQ(control->PlayPrevChapter(0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitForChapter(1, 1));

    // Out of range: refused, nothing changes.
    EXPECT_EQ(control->PlayChapterInTitle(1, 4, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(control->PlayChapterInTitle(3, 1, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(control->PlayTitle(0, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(control->SelectAudioStream(2, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(control->SelectAngle(2, 0, nullptr), E_INVALIDARG);
    DVD_HMSF_TIMECODE tooLate{0, 0, 30, 0};
    EXPECT_EQ(control->PlayAtTime(tooLate, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(Snap().title, 1);

    // A time inside the title lands within a second.
    ASSERT_EQ(control->PlayAtTime({0, 0, 9, 0}, 0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitForChapter(1, 3));
    EXPECT_NEAR(double(Snap().timeMs), 9000.0, 1000.0);

    ASSERT_EQ(control->PlayChapterInTitle(2, 1, 0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitForChapter(2, 1));
    EXPECT_EQ(Snap().chapters, 1);
    // The last chapter has no next one.
    EXPECT_EQ(control->PlayNextChapter(0, nullptr), E_INVALIDARG);

    ASSERT_EQ(control->ShowMenu(DVD_MENU_Title, 0, &command), S_OK);
    command->WaitForEnd();
    EXPECT_TRUE(WaitForMenu());
    ASSERT_EQ(control->ShowMenu(DVD_MENU_Root, 0, &command), S_OK);
    command->WaitForEnd();
    EXPECT_TRUE(WaitUntil([&] { return Snap().domain == DVD_DOMAIN_VideoTitleSetMenu; }));
}

TEST_F(NavigatorOnDisc, StreamsAndLanguagesFollowTheSelection)
{
    ASSERT_TRUE(WaitForMenu());
    ASSERT_EQ(control->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForChapter(1, 1));
    uint32_t available = 0, current = 9, lcid = 0;
    ASSERT_EQ(control->GetCurrentAudio(available, current), S_OK);
    EXPECT_EQ(available, 2u);
    EXPECT_EQ(current, 0u);
    ASSERT_EQ(control->GetAudioLanguage(0, lcid), S_OK);
    EXPECT_EQ(lcid, 0x040Cu);
    ASSERT_EQ(control->GetAudioLanguage(1, lcid), S_OK);
    EXPECT_EQ(lcid, 0x0409u);
    ASSERT_EQ(control->GetSubpictureLanguage(0, lcid), S_OK);
    EXPECT_EQ(lcid, 0x040Cu);

    output.ResetCounts();
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->SelectAudioStream(1, 0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitUntil([&] {
        uint32_t a = 0, c = 0;
        control->GetCurrentAudio(a, c);
        return c == 1;
    }));
    // From now on the English stream's packets are the ones handed over.
    output.ResetCounts();
    ASSERT_TRUE(WaitUntil([&] { return output.AudioPackets(1) > 5; }));
    EXPECT_EQ(output.AudioPackets(0), 0);

    bool disabled = false;
    ASSERT_EQ(control->SetSubpictureState(true, 0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitUntil([&] {
        uint32_t a = 0, c = 0;
        control->GetCurrentSubpicture(a, c, disabled);
        return !disabled;
    }));
    ASSERT_EQ(control->SetSubpictureState(false, 0, &command), S_OK);
    command->WaitForEnd();
    EXPECT_TRUE(WaitUntil([&] {
        uint32_t a = 0, c = 0;
        control->GetCurrentSubpicture(a, c, disabled);
        return disabled;
    }));
}

TEST_F(NavigatorOnDisc, TimeEventsComeOncePerSecondAndStateRestoresThePlace)
{
    ASSERT_TRUE(WaitForMenu());
    ASSERT_EQ(control->PlayChapterInTitle(1, 2, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForChapter(1, 2));
    output.ClearEvents();
    ASSERT_TRUE(WaitUntil([&] { return output.Count(EC_DVD_CURRENT_HMSF_TIME) >= 3; }, 6s));
    std::vector<int> seconds;
    for (const auto& e : output.Events())
        if (e.code == EC_DVD_CURRENT_HMSF_TIME)
            seconds.push_back(UnpackHmsf(uint32_t(e.p1)).bSeconds);
    for (size_t i = 1; i < seconds.size(); ++i)
        EXPECT_EQ(seconds[i], seconds[i - 1] + 1);

    Ref<IDvdState> state;
    ASSERT_EQ(control->GetState(state), S_OK);
    auto* saved = dynamic_cast<DvdState*>(state.get());
    ASSERT_NE(saved, nullptr);
    const NavigatorState where = saved->State();
    EXPECT_EQ(where.title, 1);
    EXPECT_EQ(where.chapter, 2);

    ASSERT_EQ(control->PlayChapterInTitle(2, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForChapter(2, 1));
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->SetState(state, 0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitForChapter(1, 2));
    EXPECT_NEAR(double(Snap().timeMs), double(where.timeMs), 1000.0);

    // Another disc's state is refused and changes nothing.
    NavigatorState other = where;
    other.discId[0] ^= 0xFF;
    EXPECT_EQ(control->SetState(std::make_shared<DvdState>(other), 0, nullptr), VFW_E_DVD_STATE_WRONG_DISC);
    EXPECT_EQ(Snap().title, 1);
}

TEST_F(NavigatorOnDisc, ScanCoversTheTitleFasterAndBackwards)
{
    ASSERT_TRUE(WaitForMenu());
    ASSERT_EQ(control->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForChapter(1, 1));
    ASSERT_EQ(control->PlayForwards(8.0, 0, nullptr), S_OK);
    const double start = media::Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return Snap().chapter == 3; }, 4s));
    // Eight seconds of title in well under the eight seconds that normal play takes.
    EXPECT_LT(media::Clock::now() - start, 4.0);
    ASSERT_EQ(control->PlayBackwards(8.0, 0, nullptr), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return Snap().chapter == 1; }, 4s));
    ASSERT_EQ(control->PlayForwards(1.0, 0, nullptr), S_OK);
    EXPECT_EQ(Snap().domain, DVD_DOMAIN_Title);
    EXPECT_EQ(Snap().rate, 1.0);
    // Each change of speed was announced, in ten-thousandths.
    std::vector<LONG_PTR> rates;
    for (const auto& e : output.Events())
        if (e.code == EC_DVD_PLAYBACK_RATE_CHANGE)
            rates.push_back(e.p1);
    ASSERT_GE(rates.size(), 3u);
    EXPECT_EQ(rates.front(), 80000);
    EXPECT_EQ(rates.back(), 10000);
    EXPECT_NE(std::find(rates.begin(), rates.end(), -80000), rates.end());
}
