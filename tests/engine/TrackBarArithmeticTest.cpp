// The seek bar's arithmetic and its hidden timer, without a graph.
#include "engine/TDSTrackBarTimer.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using trackbar::progressInterval;
using trackbar::scaleRounded;

TEST(TrackBarArithmetic, IntervalIsOneStepOfPlayAtTheRate)
{
    constexpr int64_t seventyMinutes = 42'000'000'000;
    EXPECT_EQ(progressInterval(seventyMinutes, 1.0, 70), 60'000u);
    EXPECT_EQ(progressInterval(seventyMinutes, 2.0, 70), 30'000u);
    EXPECT_EQ(progressInterval(seventyMinutes, 0.5, 70), 120'000u);
    // Halves go to the even neighbour: 2.5 ms -> 2, 3.5 ms -> 4.
    EXPECT_EQ(progressInterval(25'000, 1.0, 1), 2u);
    EXPECT_EQ(progressInterval(35'000, 1.0, 1), 4u);
}

TEST(TrackBarArithmetic, NothingToTimeGivesNoInterval)
{
    EXPECT_EQ(progressInterval(0, 1.0, 70), 0u);
    EXPECT_EQ(progressInterval(-5, 1.0, 70), 0u);
    EXPECT_EQ(progressInterval(42'000'000'000, 0.0, 70), 0u);
    EXPECT_EQ(progressInterval(42'000'000'000, -1.0, 70), 0u);
    EXPECT_EQ(progressInterval(42'000'000'000, std::nan(""), 70), 0u);
    EXPECT_EQ(progressInterval(42'000'000'000, 1.0, 0), 0u);
    EXPECT_EQ(progressInterval(std::numeric_limits<int64_t>::max(), 1e-300, 1),
              std::numeric_limits<uint32_t>::max());
}

TEST(TrackBarArithmetic, ScaleRoundsHalvesToEvenAndNeverOverflows)
{
    EXPECT_EQ(scaleRounded(21'000'000'000, 70, 42'000'000'000), 35);  // half way -> 35 of 70
    EXPECT_EQ(scaleRounded(35, 42'000'000'000, 70), 21'000'000'000);   // 35 of 70 -> 35 minutes
    EXPECT_EQ(scaleRounded(5, 1, 2), 2);    // 2.5
    EXPECT_EQ(scaleRounded(3, 1, 2), 2);    // 1.5
    EXPECT_EQ(scaleRounded(7, 1, 2), 4);    // 3.5
    EXPECT_EQ(scaleRounded(-5, 1, 2), -2);  // -2.5
    EXPECT_EQ(scaleRounded(2, 1, 3), 1);    // 0.67
    EXPECT_EQ(scaleRounded(1, 1, 0), 0);
    // A product far past 64 bits still divides exactly.
    constexpr int64_t big = std::numeric_limits<int64_t>::max();
    EXPECT_EQ(scaleRounded(big, 70, 70), big);
    EXPECT_EQ(scaleRounded(big, big, 1), big);  // clamped
}

TEST(TrackBarTimerWindow, TicksWithItsOwnIdUntilKilled)
{
    TDSTrackBarTimerWindow window;
    int ticks = 0;
    int lastId = 0;
    window.OnTimer = [&](int id) {
        ++ticks;
        lastId = id;
    };
    ASSERT_TRUE(window.SetTimer(1, 1));
    EXPECT_TRUE(window.TimerRunning(1));
    ASSERT_TRUE(testsupport::waitFor([&] { return ticks >= 2; }));
    EXPECT_EQ(lastId, 1);

    window.KillTimer(2);  // not ours: the timer goes on
    EXPECT_TRUE(window.TimerRunning(1));
    window.KillTimer(1);
    EXPECT_FALSE(window.TimerRunning(1));
    const int before = ticks;
    testsupport::waitFor([] { return false; }, std::chrono::milliseconds(30));
    EXPECT_EQ(ticks, before);
}
