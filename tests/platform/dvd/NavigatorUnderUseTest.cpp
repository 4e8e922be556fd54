// The navigator as a person uses it: commands on a paused title, commands the navigator cannot
// take up in time, a mouse that keeps moving over a menu. None of them may hold the caller.
#include "NavigatorFixture.h"

#include <future>

using namespace navtest;

namespace {

// Runs `call` on a thread of its own and tells whether it came back within `bound`; `unblock`
// frees it otherwise, so that a failing test still ends.
template <class Call>
bool ReturnsWithin(std::chrono::milliseconds bound, Call call, const std::function<void()>& unblock,
                   decltype(call())* result = nullptr)
{
    auto future = std::async(std::launch::async, call);
    const bool inTime = future.wait_for(bound) == std::future_status::ready;
    if (!inTime)
        unblock();
    const auto value = future.get();
    if (result)
        *result = value;
    return inTime;
}

}  // namespace

TEST_F(NavigatorOnDisc, APausedTitleJumpsAndStaysPausedOnTheNewPlace)
{
    ASSERT_TRUE(WaitForMenu());
    ASSERT_EQ(control->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForChapter(1, 1));
    // The paused player fills up and the navigator stops reading.
    output.SetPaused(true);
    std::this_thread::sleep_for(300ms);
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->PlayChapterInTitle(1, 3, 0, &command), S_OK);
    HRESULT ended = E_FAIL;
    EXPECT_TRUE(ReturnsWithin(3s, [&] { return command->WaitForEnd(); }, [&] { output.SetPaused(false); }, &ended));
    EXPECT_EQ(ended, S_OK);
    ASSERT_TRUE(WaitForChapter(1, 3));
    // Still paused: the title does not move on from the start of chapter 3 (8 s).
    std::this_thread::sleep_for(1s);
    EXPECT_LT(Snap().timeMs, 9000);
    EXPECT_EQ(Snap().chapter, 3);
    // And plays on from there once resumed.
    output.SetPaused(false);
    EXPECT_TRUE(WaitUntil([&] { return Snap().timeMs >= 9000; }, 4s));
}

TEST_F(NavigatorOnDisc, ACommandNotTakenUpInTimeFailsAndNeverRunsLater)
{
    ASSERT_TRUE(WaitForMenu());
    ASSERT_TRUE(WaitUntil([&] { return Snap().still; }));
    // The navigator thread is kept busy inside a highlight.
    output.HoldHighlights(true);
    ASSERT_EQ(control->SelectAtPosition(500, 280), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return output.InHighlight(); }));

    DvdCommand::setWaitBound(300ms);
    HRESULT hr = S_OK;
    EXPECT_TRUE(ReturnsWithin(
        2s, [&] { return control->PlayChapterInTitle(1, 2, 0, nullptr); }, [&] { output.HoldHighlights(false); },
        &hr));
    EXPECT_EQ(hr, VFW_E_TIMEOUT);

    // The mouse moving over button 1 meanwhile does not wait either; only its latest point counts.
    EXPECT_TRUE(ReturnsWithin(
        500ms,
        [&] {
            control->SelectAtPosition(560, 300);
            return control->SelectAtPosition(200, 280);
        },
        [&] { output.HoldHighlights(false); }, &hr));
    EXPECT_EQ(hr, S_OK);
    // A point on no button is refused at once, from what the navigator last published.
    EXPECT_EQ(control->SelectAtPosition(10, 10), VFW_E_DVD_NO_BUTTON);

    output.HoldHighlights(false);
    EXPECT_TRUE(WaitUntil([&] { return output.LastHighlight().button == 1 && Snap().buttonCurrent == 1; }));
    // The timed-out jump was cancelled: the menu stays.
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(Snap().domain, DVD_DOMAIN_VideoManagerMenu);
    EXPECT_EQ(output.Count(EC_DVD_TITLE_CHANGE), 0);
}
