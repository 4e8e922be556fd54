// The navigator on the generated two-angle disc: the angle events as titles come and go, choosing
// an angle, and a bookmark that keeps the angle it was made in.
#include "NavigatorFixture.h"

#include "platform/dvd/AngleBlocks.h"

using namespace navtest;

namespace {

class AngleDisc : public NavigatorOnDisc {
protected:
    AngleDisc() { disc = "dvd-angle"; }

    bool Saw(int32_t code, LONG_PTR p1, LONG_PTR p2)
    {
        return WaitUntil([&] {
            for (const auto& e : output.Events())
                if (e.code == code && e.p1 == p1 && e.p2 == p2)
                    return true;
            return false;
        });
    }
    std::pair<uint32_t, uint32_t> Angle()
    {
        uint32_t available = 0, current = 0;
        EXPECT_EQ(control->GetCurrentAngle(available, current), S_OK);
        return {available, current};
    }
    void Play(uint32_t title)
    {
        ASSERT_EQ(control->PlayTitle(title, 0, nullptr), S_OK);
        ASSERT_TRUE(WaitForChapter(int(title), 1));
    }
};

}  // namespace

TEST_F(AngleDisc, TheTwoAngleTitleSaysAnglesAreAvailableAndAOneAngleTitleSaysNone)
{
    ASSERT_TRUE(WaitForChapter(1, 1));  // first play goes there
    EXPECT_TRUE(Saw(EC_DVD_ANGLES_AVAILABLE, 1, 0));
    EXPECT_TRUE(Saw(EC_DVD_ANGLE_CHANGE, 2, 1));  // two angles, the first shown
    EXPECT_EQ(Angle(), std::make_pair(2u, 1u));

    output.ClearEvents();
    Play(2);
    EXPECT_TRUE(Saw(EC_DVD_ANGLES_AVAILABLE, 0, 0));
    EXPECT_TRUE(Saw(EC_DVD_ANGLE_CHANGE, 1, 1));
    EXPECT_EQ(Angle(), std::make_pair(1u, 1u));
    EXPECT_EQ(control->SelectAngle(2, 0, nullptr), E_INVALIDARG);

    // Back in title 1 angles are available again; said once, not at every cell.
    output.ClearEvents();
    Play(1);
    EXPECT_TRUE(Saw(EC_DVD_ANGLES_AVAILABLE, 1, 0));
    ASSERT_TRUE(WaitForChapter(1, 2));
    EXPECT_EQ(output.Count(EC_DVD_ANGLES_AVAILABLE), 1);
}

TEST_F(AngleDisc, AChosenAngleIsReportedAtOnceAndKeptForTheTitle)
{
    ASSERT_TRUE(WaitForChapter(1, 1));
    EXPECT_EQ(control->SelectAngle(3, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(control->SelectAngle(0, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(Angle(), std::make_pair(2u, 1u));

    output.ClearEvents();
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->SelectAngle(2, 0, &command), S_OK);
    ASSERT_TRUE(command);
    EXPECT_EQ(Angle(), std::make_pair(2u, 2u));
    EXPECT_TRUE(Saw(EC_DVD_ANGLE_CHANGE, 2, 2));

    // A one-angle title shows its only angle, whatever was chosen before...
    Play(2);
    EXPECT_EQ(Angle(), std::make_pair(1u, 1u));
    // ...and the angle chosen comes back with the title that has it.
    Play(1);
    EXPECT_EQ(Angle(), std::make_pair(2u, 2u));
}

TEST_F(AngleDisc, ABookmarkRestoresTheAngleItWasMadeIn)
{
    ASSERT_TRUE(WaitForChapter(1, 1));
    ASSERT_EQ(control->SelectAngle(2, 0, nullptr), S_OK);
    Ref<IDvdState> state;
    ASSERT_EQ(control->GetState(state), S_OK);
    auto* saved = dynamic_cast<DvdState*>(state.get());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->state().angle, 2);

    // Back to angle 1 elsewhere, then the bookmark.
    ASSERT_EQ(control->SelectAngle(1, 0, nullptr), S_OK);
    Play(2);
    Ref<IDvdCmd> command;
    ASSERT_EQ(control->SetState(state, 0, &command), S_OK);
    command->WaitForEnd();
    ASSERT_TRUE(WaitForChapter(1, 1));
    EXPECT_EQ(Angle(), std::make_pair(2u, 2u));

    // A bookmark made in angle 1 brings angle 1 back.
    ASSERT_EQ(control->SelectAngle(1, 0, nullptr), S_OK);
    ASSERT_EQ(control->GetState(state), S_OK);
    ASSERT_EQ(control->SelectAngle(2, 0, nullptr), S_OK);
    ASSERT_EQ(control->SetState(state, 0, &command), S_OK);
    command->WaitForEnd();
    EXPECT_TRUE(WaitUntil([&] { return Angle() == std::make_pair(2u, 1u); }));
}

TEST_F(AngleDisc, TimeRunsOnOneAngleWhicheverIsShown)
{
    ASSERT_TRUE(WaitForChapter(1, 1));
    ASSERT_EQ(control->SelectAngle(2, 0, nullptr), S_OK);
    // The title lasts four seconds in either angle; its time never runs past them.
    EXPECT_NEAR(double(Snap().titleLengthMs), 4000.0, 200.0);
    int64_t latest = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const auto s = Snap();
        if (s.domain == DVD_DOMAIN_Title && s.title == 1)
            latest = std::max(latest, s.timeMs);
        return s.title == 2;
    }, 8s));
    EXPECT_GT(latest, 2500);
    EXPECT_LE(latest, 4000);
}

TEST(AngleBlocks, PlayingTimesReadTheirDigitsAndFrameRate)
{
    EXPECT_EQ(PlayingTimeTicks(0x01, 0x02, 0x03, 0x40 | 0x12), (3723 * 90000) + 12 * 3600);  // 25 fps
    EXPECT_EQ(PlayingTimeTicks(0x00, 0x00, 0x59, 0xC0 | 0x29), 59 * 90000 + 29 * 3000);       // 30 fps
    EXPECT_EQ(PlayingTimeTicks(0, 0, 0, 0), 0);
}

TEST(AngleBlocks, ADiscThatCannotBeReadCountsNothing)
{
    AngleBlocks blocks;
    EXPECT_FALSE(blocks.open(testsupport::media("files").toUtf8()));
    EXPECT_EQ(blocks.overcount(nullptr, 2), 0);
}
