#include "controls/RotateRGN1.h"

#include <gtest/gtest.h>

namespace {

TEST(RegionToOutlines, EmptyAndSingleRectangle)
{
    EXPECT_TRUE(RegionToOutlines(QRegion()).empty());
    const OutlineSet s = RegionToOutlines(QRegion(3, 4, 10, 6));
    ASSERT_EQ(s.counts, (Tintegers{4}));
    EXPECT_EQ(s.levels, (Tintegers{0}));
    EXPECT_EQ(s.points, (Tpoints{{3, 4}, {13, 4}, {13, 10}, {3, 10}}));
}

TEST(RegionToOutlines, LShapeTracesSixCorners)
{
    const RegionRect rects[] = {{0, 0, 10, 10}, {0, 10, 5, 20}};
    const OutlineSet s = RectanglesToOutlines(rects);
    ASSERT_EQ(s.counts, (Tintegers{6}));
    EXPECT_EQ(s.points, (Tpoints{{0, 0}, {10, 0}, {10, 10}, {5, 10}, {5, 20}, {0, 20}}));
    // The same through a region, whose banding gives the same rectangles.
    EXPECT_EQ(RegionToOutlines(QRegion(0, 0, 10, 10) + QRegion(0, 10, 5, 10)).points, s.points);
}

TEST(RegionToOutlines, RingGivesOuterAndHole)
{
    const QRegion ring = QRegion(0, 0, 30, 30) - QRegion(10, 10, 10, 10);
    const OutlineSet s = RegionToOutlines(ring);
    ASSERT_EQ(s.counts.size(), 2u);
    EXPECT_EQ(s.levels, (Tintegers{0, 1}));
    EXPECT_EQ(s.counts, (Tintegers{4, 4}));
    // Rebuilding gives back the region.
    EXPECT_EQ(OutlinesToRegion(s), ring);
}

TEST(RegionToOutlines, PinchedSquaresAndIsland)
{
    // Two squares touching at one corner: the shared point is passed twice.
    const QRegion pinch = QRegion(0, 0, 10, 10) + QRegion(10, 10, 10, 10);
    const OutlineSet p = RegionToOutlines(pinch);
    EXPECT_EQ(OutlinesToRegion(p), pinch);

    // An island inside the hole of a ring gets level 2.
    const QRegion islandRing = (QRegion(0, 0, 50, 50) - QRegion(10, 10, 30, 30)) + QRegion(20, 20, 10, 10);
    const OutlineSet s = RegionToOutlines(islandRing);
    ASSERT_EQ(s.levels.size(), 3u);
    Tintegers sorted = s.levels;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (Tintegers{0, 1, 2}));
    EXPECT_EQ(OutlinesToRegion(s), islandRing);
}

TEST(RegionToOutlines, StaircaseStepsAreSmoothed)
{
    // A right triangle drawn as one-pixel stairs keeps its three real corners only.
    QRegion stairs;
    for (int y = 0; y < 10; ++y)
        stairs += QRegion(0, y, y + 1, 1);
    const OutlineSet s = RegionToOutlines(stairs);
    ASSERT_EQ(s.counts.size(), 1u);
    EXPECT_LE(s.counts[0], 4);
    EXPECT_GE(s.counts[0], 3);
    for (const QPoint& p : s.points) {
        EXPECT_GE(p.x(), 0);
        EXPECT_LE(p.x(), 10);
    }
}

TEST(RegionToOutlines, EllipticRegionRoundTripsClosely)
{
    const QRegion ellipse(0, 0, 40, 30, QRegion::Ellipse);
    const OutlineSet s = RegionToOutlines(ellipse);
    ASSERT_EQ(s.counts.size(), 1u);
    EXPECT_LT(s.counts[0], 2 * ellipse.rectCount());  // many stairs smoothed away
    const QRegion back = OutlinesToRegion(s);
    // The smoothed polygon may differ from the staircase along the edge but not much.
    const int diff = (back ^ ellipse).boundingRect().isEmpty() ? 0 : int((back ^ ellipse).rectCount());
    EXPECT_LT(diff, 60);
    EXPECT_TRUE(back.contains(QPoint(20, 15)));
    EXPECT_FALSE(back.contains(QPoint(1, 1)));
}

}  // namespace
