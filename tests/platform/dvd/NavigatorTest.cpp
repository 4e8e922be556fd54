// The navigator on the generated disc: menus, buttons, chapters, time, streams, state and scans.
#include "NavigatorFixture.h"

using namespace navtest;

TEST(Navigator, RefusesWhatIsNoDvd)
{
    Navigator navigator;
    EXPECT_FALSE(navigator.open(testsupport::media("files")));
    EXPECT_FALSE(navigator.open(testsupport::media("nowhere")));
    EXPECT_FALSE(navigator.open(testsupport::media("damaged/notmedia.avi")));
    EXPECT_FALSE(navigator.snapshot().open);
}

TEST_F(NavigatorOnDisc, OpensByFolderByVideoTsAndByIfo)
{
    EXPECT_EQ(navigator.titleCount(), 2);
    EXPECT_EQ(navigator.chapterCount(1), 3);
    EXPECT_EQ(navigator.chapterCount(2), 1);
    EXPECT_EQ(navigator.chapterCount(3), 0);
    Navigator byFolder, byIfo;
    ASSERT_TRUE(byFolder.open(testsupport::media("dvd/VIDEO_TS")));
    ASSERT_TRUE(byIfo.open(testsupport::media("dvd/VIDEO_TS/VIDEO_TS.IFO")));
    // The same disc whichever way it is named.
    EXPECT_EQ(byFolder.discId(), navigator.discId());
    EXPECT_EQ(byIfo.discId(), navigator.discId());
    EXPECT_NE(navigator.discId(), (std::array<uint8_t, 16>{}));
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
    // The pressed button was drawn in the disc's activated colours before the jump.
    const Highlight pressed = output.LastActivated();
    EXPECT_TRUE(pressed.shown && pressed.action);
    EXPECT_EQ(pressed.button, 1);
    EXPECT_NEAR(pressed.left, 120, 2);
    EXPECT_NE(pressed.colour, h.colour);
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
    const NavigatorState where = saved->state();
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
