// The seek bar bound to a file graph whose seeking and control interfaces are stand-ins.
#include "engine/TDSTrackBar.h"

#include "tests/engine/VideoWindowFakes.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int64_t kMinute = 600'000'000;

class TrackBarSeek : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(700, 60);
        bar = new TDSTrackBar(&form);
        bar->setGeometry(1, 5, 637, 25);
        bar->SetMax(70);
        graph = std::make_unique<TDSFilterGraph2>(&form);
        fakes::bind(*graph, seeking, control, nullptr);
    }

    // Where the graph was sought, in minutes (only whole minutes are expected).
    std::vector<int64_t> seekMinutes() const
    {
        std::vector<int64_t> out;
        for (auto t : seeking->seeks)
            out.push_back(t % kMinute == 0 ? t / kMinute : -1);
        return out;
    }

    QWidget form;
    TDSTrackBar* bar = nullptr;
    std::unique_ptr<TDSFilterGraph2> graph;
    std::shared_ptr<fakes::Seeking> seeking = std::make_shared<fakes::Seeking>();
    std::shared_ptr<fakes::Control> control = std::make_shared<fakes::Control>();
};

}  // namespace

TEST_F(TrackBarSeek, BindingRewindsAndTimesOneStepOfPlay)
{
    seeking->position = 10 * kMinute;
    bar->setEnabled(false);
    bar->SetGraph(graph.get());

    EXPECT_EQ(graph->TrackBar(), bar);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({0}));
    EXPECT_EQ(seeking->stopsTouched, 0);
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(bar->TimerEnabled());
    EXPECT_EQ(bar->TimerInterval(), 60'000u);
    EXPECT_TRUE(bar->Capabilities().Contains(TDSAMSeeking::CanSeekAbsolute));
    EXPECT_FALSE(bar->Capabilities().Contains(TDSAMSeeking::Source));

    bar->SetRate(2.0);
    EXPECT_EQ(seeking->rateCalls, std::vector<double>({2.0}));
    EXPECT_EQ(bar->Rate(), 2.0);
    EXPECT_EQ(bar->TimerInterval(), 30'000u);

    // 0.0 is no rate at all: nothing changes.
    bar->SetRate(0.0);
    EXPECT_EQ(seeking->rateCalls.size(), 1u);
    EXPECT_EQ(bar->TimerInterval(), 30'000u);
}

TEST_F(TrackBarSeek, AGraphThatCannotSeekOrTimeLeavesTheBarDisabled)
{
    for (uint32_t missing : {media::AM_SEEKING_CanSeekAbsolute, media::AM_SEEKING_CanGetDuration}) {
        seeking->capabilities &= ~missing;
        bar->SetSelEnd(12);
        bar->SetGraph(graph.get());
        EXPECT_FALSE(bar->isEnabled());
        EXPECT_EQ(bar->SelEnd(), 0);
        EXPECT_FALSE(bar->TimerEnabled());
        EXPECT_TRUE(seeking->seeks.empty());
        seeking->capabilities |= missing;
    }
}

TEST_F(TrackBarSeek, ProgressShowsAsTheSelectionNotTheThumb)
{
    bar->SetGraph(graph.get());
    seeking->seeks.clear();
    seeking->position = 35 * kMinute;
    bar->UpdateProgress();
    EXPECT_EQ(bar->SelStart(), 0);
    EXPECT_EQ(bar->SelEnd(), 35);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(seeking->seeks.empty());

    // No duration: no progress, and no division by zero.
    seeking->duration = 0;
    bar->UpdateProgress();
    EXPECT_EQ(bar->SelEnd(), 0);
}

TEST_F(TrackBarSeek, TheTimerRefreshesTheProgress)
{
    seeking->duration = 70 * 10'000;  // one millisecond a step
    bar->SetGraph(graph.get());
    EXPECT_EQ(bar->TimerInterval(), 1u);
    seeking->position = seeking->duration / 2;
    EXPECT_TRUE(testsupport::waitFor([&] { return bar->SelEnd() == 35; }));
}

TEST_F(TrackBarSeek, EveryPositionChangeSeeksOnce)
{
    form.show();
    bar->SetGraph(graph.get());
    seeking->seeks.clear();

    // A drag: each step of the thumb is one seek, and the drop at 35 of 70 is 35 minutes.
    const int y = bar->height() / 2;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->PixelOf(0), y));
    for (int step : {10, 20, 35})
        QTest::mouseMove(bar, QPoint(bar->PixelOf(step), y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->PixelOf(35), y));
    EXPECT_EQ(bar->Position(), 35);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({10, 20, 35}));
    EXPECT_EQ(bar->SelEnd(), 35);  // progress follows the seek at once

    // Keys.
    seeking->seeks.clear();
    QTest::keyClick(bar, Qt::Key_Right);
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({36, 70}));

    // Assignments: a new value seeks, the same value does not.
    seeking->seeks.clear();
    bar->SetPosition(7);
    bar->SetPosition(7);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({7}));
}

TEST_F(TrackBarSeek, EndOfStreamStopsAndTakesTheThumbHome)
{
    bar->SetGraph(graph.get());
    bar->SetPosition(20);
    seeking->position = 70 * kMinute;
    bar->UpdateProgress();
    seeking->seeks.clear();

    bar->HandleComplete();
    EXPECT_EQ(control->stops, 1);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->SelEnd(), 0);
    EXPECT_EQ(seekMinutes(), std::vector<int64_t>({0}));

    // The thumb was home already: no seek.
    seeking->seeks.clear();
    bar->HandleComplete();
    EXPECT_EQ(control->stops, 2);
    EXPECT_TRUE(seeking->seeks.empty());
}

namespace {

class NoTimerBar : public TDSTrackBar {
public:
    using TDSTrackBar::TDSTrackBar;

protected:
    bool StartProgressTimer(uint32_t) override { return false; }
};

}  // namespace

TEST_F(TrackBarSeek, NoTimerToBeHadIsReported)
{
    NoTimerBar refusing(&form);
    refusing.SetMax(70);
    try {
        refusing.SetGraph(graph.get());
        FAIL() << "no error raised";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Pas assez de timers disponibles");
    }
    // With nothing to time, no timer is asked for.
    seeking->duration = 0;
    EXPECT_NO_THROW(refusing.UpdateTimer());
    EXPECT_EQ(refusing.TimerInterval(), 0u);
}

TEST_F(TrackBarSeek, BindingIsForgottenByWhicheverGoesFirst)
{
    bar->SetGraph(graph.get());
    auto other = std::make_unique<TDSFilterGraph2>(&form);
    fakes::bind(*other, seeking, control, nullptr);
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
