// The seek bar as a control: its defaults and the selection drawn in its channel.
#include "engine/TDSTrackBar.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(TrackBarControl, DefaultsOfAFreshBar)
{
    TDSTrackBar bar;
    EXPECT_EQ(bar.ThumbLength(), 15);
    EXPECT_EQ(bar.height(), 25);
    EXPECT_EQ(bar.orientation(), Qt::Horizontal);
    EXPECT_EQ(bar.tickPosition(), QSlider::NoTicks);
    EXPECT_FALSE(bar.TimerEnabled());
    EXPECT_EQ(bar.TimerInterval(), 0u);
    EXPECT_EQ(bar.Graph(), nullptr);
    // Unbound: no seeking interface to ask.
    EXPECT_TRUE(bar.Capabilities().Empty());
    EXPECT_EQ(bar.Rate(), 0.0);
    bar.SetRate(2.0);
    EXPECT_EQ(bar.Rate(), 0.0);
    EXPECT_NO_THROW(bar.UpdateTimer());
    EXPECT_NO_THROW(bar.UpdateProgress());
}

TEST(TrackBarControl, SelectionIsDrawnInTheChannel)
{
    TDSTrackBar bar;
    bar.resize(400, 25);
    bar.SetMax(70);
    bar.SetPosition(70);  // thumb out of the way at the right end
    bar.SetSelStart(0);
    bar.SetSelEnd(35);

    const QImage shot = bar.grab().toImage();
    const QColor highlight = bar.palette().color(QPalette::Active, QPalette::Highlight);
    const int y = bar.ChannelRect().center().y();
    auto selected = [&](int value) { return QColor(shot.pixel(bar.PixelOf(value), y)) == highlight; };

    EXPECT_TRUE(selected(1));
    EXPECT_TRUE(selected(20));
    EXPECT_TRUE(selected(34));
    EXPECT_FALSE(selected(37));
    EXPECT_FALSE(selected(55));

    // Cleared, the channel shows nothing.
    bar.SetSelEnd(0);
    const QImage cleared = bar.grab().toImage();
    EXPECT_NE(QColor(cleared.pixel(bar.PixelOf(20), y)), highlight);
}
