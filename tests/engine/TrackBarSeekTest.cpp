// The seek bar: its arithmetic, the selection it paints, and the bar bound to a stand-in graph.
#include "engine/TDSTrackBar.h"
#include "engine/TDSTrackBarTimer.h"

#include "tests/engine/VideoWindowFakes.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using trackbar::progressInterval;
using trackbar::scaleRounded;

TEST(TrackBarArithmetic, HalvesGoToEvenAndNothingOverflowsOrDividesByZero)
{
    EXPECT_EQ(progressInterval(25'000, 1.0, 1), 2u);  // 2.5 ms
    EXPECT_EQ(progressInterval(35'000, 1.0, 1), 4u);
    for (auto [duration, rate, steps] : {std::tuple{0LL, 1.0, 70}, {42LL, -1.0, 70}, {42LL, std::nan(""), 70},
                                         {42LL, 1.0, 0}})
        EXPECT_EQ(progressInterval(duration, rate, steps), 0u);
    EXPECT_EQ(progressInterval(std::numeric_limits<int64_t>::max(), 1e-300, 1), std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(scaleRounded(5, 1, 2), 2);
    EXPECT_EQ(scaleRounded(-5, 1, 2), -2);
    EXPECT_EQ(scaleRounded(2, 1, 3), 1);
    EXPECT_EQ(scaleRounded(1, 1, 0), 0);
    constexpr int64_t big = std::numeric_limits<int64_t>::max();
    EXPECT_EQ(scaleRounded(big, 70, 70), big);
    EXPECT_EQ(scaleRounded(big, big, 1), big);  // clamped
}

TEST(TrackBarControl, SelectionIsDrawnInTheChannel)
{
    TDSTrackBar bar;
    bar.resize(400, 25);
    bar.SetMax(70);
    bar.SetPosition(70);  // thumb out of the way
    bar.SetSelEnd(35);
    const QColor highlight = bar.palette().color(QPalette::Active, QPalette::Highlight);
    const int y = bar.ChannelRect().center().y();
    auto selected = [&](const QImage& shot, int value) { return QColor(shot.pixel(bar.PixelOf(value), y)) == highlight; };

    const QImage shot = bar.grab().toImage();
    for (int inside : {1, 20, 34})
        EXPECT_TRUE(selected(shot, inside)) << inside;
    for (int outside : {37, 55})
        EXPECT_FALSE(selected(shot, outside)) << outside;
    bar.SetSelEnd(0);
    EXPECT_FALSE(selected(bar.grab().toImage(), 20));

    // The thumb is ThumbLength pixels across the channel.
    auto thumbRows = [&] {
        const QImage image = bar.grab().toImage();
        const int x = bar.PixelOf(70);
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            rows += image.pixel(x, y) != image.pixel(x, 0);
        return rows;
    };
    const int normal = thumbRows();
    bar.SetThumbLength(21);
    EXPECT_EQ(thumbRows() - normal, 6);
}

namespace {

constexpr int64_t kMinute = 600'000'000;

class TrackBarSeek : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar->setGeometry(1, 5, 637, 25);
        bar->SetMax(70);
    }

    std::vector<int64_t> seekMinutes() const
    {
        std::vector<int64_t> out;
        for (auto t : fake->seeks)
            out.push_back(t % kMinute == 0 ? t / kMinute : -1);
        return out;
    }

    QWidget form;
    TDSTrackBar* bar = new TDSTrackBar(&form);
    std::unique_ptr<TDSFilterGraph2> graph = std::make_unique<TDSFilterGraph2>(&form);
    com::Ref<fakes::Graph> fake = fakes::bind(*graph);
};

}  // namespace

TEST_F(TrackBarSeek, BindingRewindsAndTimesOneStepOfPlay)
{
    fake->position = 10 * kMinute;
    bar->setEnabled(false);
    bar->SetGraph(graph.get());
    EXPECT_EQ(graph->TrackBar(), bar);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({0}));
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_TRUE(bar->TimerEnabled());
    EXPECT_EQ(bar->TimerInterval(), 60'000u);

    bar->SetRate(2.0);
    EXPECT_EQ(bar->Rate(), 2.0);
    EXPECT_EQ(bar->TimerInterval(), 30'000u);
    bar->SetRate(0.0);  // no rate at all: nothing changes
    EXPECT_EQ(fake->rateCalls, std::vector<double>({2.0}));
    EXPECT_EQ(bar->TimerInterval(), 30'000u);

    // A graph that cannot seek absolutely or tell its duration leaves the bar disabled.
    for (uint32_t missing : {media::AM_SEEKING_CanSeekAbsolute, media::AM_SEEKING_CanGetDuration}) {
        fake->capabilities &= ~missing;
        fake->seeks.clear();
        bar->SetSelEnd(12);
        bar->SetGraph(graph.get());
        EXPECT_FALSE(bar->isEnabled());
        EXPECT_EQ(bar->SelEnd(), 0);
        EXPECT_FALSE(bar->TimerEnabled());
        EXPECT_TRUE(fake->seeks.empty());
        fake->capabilities |= missing;
    }
}

TEST_F(TrackBarSeek, ProgressShowsAsTheSelectionNotTheThumb)
{
    fake->duration = 70 * 10'000;  // one millisecond a step: the timer refreshes at once
    bar->SetGraph(graph.get());
    fake->seeks.clear();
    fake->position = fake->duration / 2;
    EXPECT_TRUE(testsupport::waitFor([&] { return bar->SelEnd() == 35; }));
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(fake->seeks.empty());

    fake->duration = 0;  // no progress, and no division by zero
    bar->UpdateProgress();
    EXPECT_EQ(bar->SelEnd(), 0);
}

TEST_F(TrackBarSeek, EveryPositionChangeSeeksOnce)
{
    form.show();
    bar->SetGraph(graph.get());
    fake->seeks.clear();

    // A drag: one seek a step, and the drop at 35 of 70 is 35 minutes.
    const int y = bar->height() / 2;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->PixelOf(0), y));
    for (int step : {10, 20, 35})
        QTest::mouseMove(bar, QPoint(bar->PixelOf(step), y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->PixelOf(35), y));
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({10, 20, 35}));
    EXPECT_EQ(bar->SelEnd(), 35);

    fake->seeks.clear();
    QTest::keyClick(bar, Qt::Key_Right);
    QTest::keyClick(bar, Qt::Key_End);
    bar->SetPosition(7);
    bar->SetPosition(7);  // the value it has: no seek
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({36, 70, 7}));
}

TEST_F(TrackBarSeek, EndOfStreamStopsAndTakesTheThumbHome)
{
    bar->SetGraph(graph.get());
    bar->SetPosition(20);
    fake->position = 70 * kMinute;
    bar->UpdateProgress();
    fake->seeks.clear();

    bar->HandleComplete();
    EXPECT_EQ(fake->stops, 1);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->SelEnd(), 0);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({0}));

    fake->seeks.clear();
    bar->HandleComplete();  // the thumb was home already: no seek
    EXPECT_EQ(fake->stops, 2);
    EXPECT_TRUE(fake->seeks.empty());
}

namespace {

class NoTimerBar : public TDSTrackBar {
protected:
    bool StartProgressTimer(uint32_t) override { return false; }
};

}  // namespace

TEST_F(TrackBarSeek, NoTimerToBeHadIsReported)
{
    NoTimerBar refusing;
    refusing.SetMax(70);
    try {
        refusing.SetGraph(graph.get());
        FAIL() << "no error raised";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Pas assez de timers disponibles");
    }
    fake->duration = 0;  // nothing to time: no timer asked for
    EXPECT_NO_THROW(refusing.UpdateTimer());
}

TEST_F(TrackBarSeek, BindingIsForgottenByWhicheverGoesFirst)
{
    bar->SetGraph(graph.get());
    auto other = std::make_unique<TDSFilterGraph2>(&form);
    fakes::bind(*other);
    bar->SetGraph(other.get());
    EXPECT_EQ(graph->TrackBar(), nullptr);
    EXPECT_EQ(other->TrackBar(), bar);

    other.reset();
    EXPECT_EQ(bar->Graph(), nullptr);
    EXPECT_NO_THROW(bar->UpdateProgress());

    bar->SetGraph(graph.get());
    delete bar;
    EXPECT_EQ(graph->TrackBar(), nullptr);
}
