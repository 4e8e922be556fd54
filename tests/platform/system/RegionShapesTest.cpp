#include "platform/system/RegionShapes.h"

#include <gtest/gtest.h>

using platform::CreateRoundRectRgn;

TEST(RoundRectRegion, SplashOutlineHasRoundCornersAndFullEdges)
{
    const QRegion region = CreateRoundRectRgn(0, 0, 559, 192, 40, 40);
    // The corners are cut away...
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(558, 0)));
    EXPECT_FALSE(region.contains(QPoint(0, 191)));
    EXPECT_FALSE(region.contains(QPoint(558, 191)));
    EXPECT_FALSE(region.contains(QPoint(3, 3)));
    // ...the straight edges and the middle are kept...
    EXPECT_TRUE(region.contains(QPoint(20, 0)));
    EXPECT_TRUE(region.contains(QPoint(538, 0)));
    EXPECT_TRUE(region.contains(QPoint(0, 96)));
    EXPECT_TRUE(region.contains(QPoint(558, 96)));
    EXPECT_TRUE(region.contains(QPoint(279, 96)));
    // ...and nothing lies outside the rectangle, right and bottom edges excluded.
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 559, 192));
    EXPECT_FALSE(region.contains(QPoint(559, 96)));
    // A point on the corner's diagonal, just inside the arc, is kept; just outside is not.
    EXPECT_TRUE(region.contains(QPoint(7, 7)));
    EXPECT_FALSE(region.contains(QPoint(4, 4)));
}

TEST(RoundRectRegion, CornersAreSymmetric)
{
    const QRegion region = CreateRoundRectRgn(0, 0, 100, 60, 40, 40);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(region.contains(QPoint(x, y)), region.contains(QPoint(99 - x, 59 - y))) << x << "," << y;
}

TEST(RoundRectRegion, DegenerateInputs)
{
    EXPECT_TRUE(CreateRoundRectRgn(0, 0, 0, 10, 4, 4).isEmpty());
    // Reversed corners describe the same rectangle.
    EXPECT_EQ(CreateRoundRectRgn(50, 40, 0, 0, 10, 10), CreateRoundRectRgn(0, 0, 50, 40, 10, 10));
    // Corner ellipses larger than the rectangle are clamped to it: an ellipse.
    const QRegion ellipse = CreateRoundRectRgn(0, 0, 30, 30, 100, 100);
    EXPECT_TRUE(ellipse.contains(QPoint(15, 15)));
    EXPECT_FALSE(ellipse.contains(QPoint(1, 1)));
    // No rounding at all: the whole rectangle.
    EXPECT_EQ(CreateRoundRectRgn(0, 0, 30, 20, 0, 0), QRegion(0, 0, 30, 20));
}
