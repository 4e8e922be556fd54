#include "controls/RotateRGN1.h"

#include <gtest/gtest.h>

namespace {

OutlineSet rectangle(int l, int t, int r, int b, int level = 0)
{
    OutlineSet s;
    const QPoint pts[] = {{l, t}, {r, t}, {r, b}, {l, b}};
    s.add(pts, level);
    return s;
}

TEST(Rounding, HalvesGoToEven)
{
    EXPECT_EQ(rgn::Round(12.5L), 12);
    EXPECT_EQ(rgn::Round(13.5L), 14);
    EXPECT_EQ(rgn::Round(-0.5L), 0);
    EXPECT_EQ(rgn::Round(-1.5L), -2);
    EXPECT_EQ(rgn::Round(2.4999L), 2);
    EXPECT_EQ(rgn::Round(1e30L), INT_MAX);
}

TEST(RotateOutlines, QuarterTurnAboutCentre)
{
    Tpoints pts{{0, 0}, {25, 25}, {12, 12}};
    RotateOutlines(pts, 12, 12, 900);
    EXPECT_EQ(pts[0], QPoint(0, 24));
    EXPECT_EQ(pts[1], QPoint(25, -1));
    EXPECT_EQ(pts[2], QPoint(12, 12));
}

TEST(RotateOutlines, ZeroAndFullTurnsKeepPoints)
{
    const Tpoints orig{{3, 4}, {-7, 2}, {10, -10}, {0, 5}};
    Tpoints a = orig, b = orig;
    RotateOutlines(a, 5, 5, 0);
    RotateOutlines(b, 5, 5, 3600);
    EXPECT_EQ(a, orig);
    EXPECT_EQ(b, orig);
    // Counter-clockwise on the screen: right of the origin goes up (y decreases).
    Tpoints c{{10, 0}};
    RotateOutlines(c, 0, 0, 900);
    EXPECT_EQ(c[0], QPoint(0, -10));
}

TEST(OutlinesToRegion, SingleOutlineRingAndIsland)
{
    EXPECT_TRUE(OutlinesToRegion({}).isEmpty());

    const QRegion single = OutlinesToRegion(rectangle(0, 0, 10, 10));
    EXPECT_EQ(single, QRegion(0, 0, 10, 10));

    OutlineSet ring = rectangle(0, 0, 20, 20);
    const OutlineSet hole = rectangle(5, 5, 15, 15, 1);
    ring.add(hole.points, 1);
    const QRegion r = OutlinesToRegion(ring);
    EXPECT_EQ(r, QRegion(0, 0, 20, 20) - QRegion(5, 5, 10, 10));

    // Levels are combined in level order, whatever the order of the outlines.
    OutlineSet nested;
    nested.add(rectangle(8, 8, 12, 12).points, 2);
    nested.add(hole.points, 1);
    nested.add(rectangle(0, 0, 20, 20).points, 0);
    EXPECT_EQ(OutlinesToRegion(nested), r + QRegion(8, 8, 4, 4));
}

TEST(SplitBevel, ClockwiseRectangleLightTopLeftDarkBottomRight)
{
    const OutlineSet outer = rectangle(0, 0, 10, 10);
    OutlineSet inner = rectangle(2, 2, 8, 8);
    auto [light, dark] = SplitBevel(outer, inner);
    ASSERT_EQ(light.counts, (Tintegers{4, 4}));
    ASSERT_EQ(dark.counts, (Tintegers{4, 4}));
    // Top edge then left edge are light; right then bottom are dark.
    EXPECT_EQ(light.outline(0)[0], QPoint(0, 0));
    EXPECT_EQ(light.outline(0)[3], QPoint(10, 0));
    EXPECT_EQ(light.outline(1)[0], QPoint(0, 10));
    EXPECT_EQ(dark.outline(0)[0], QPoint(10, 0));
    EXPECT_EQ(dark.outline(1)[0], QPoint(10, 10));
    EXPECT_EQ(light.levels, (Tintegers{0, 0}));
    // Together the pieces cover the ring exactly.
    const QRegion ring = OutlinesToRegion(outer) - OutlinesToRegion(inner);
    EXPECT_EQ(PolyPolygonRegion(light) + PolyPolygonRegion(dark), ring);

    // Mismatched counts give nothing rather than reading past the inner set.
    inner.points.pop_back();
    inner.counts[0] = 3;
    auto [l2, d2] = SplitBevel(outer, inner);
    EXPECT_TRUE(l2.empty());
    EXPECT_TRUE(d2.empty());
}

TEST(InsetOutlines, RectangleCornersMoveDiagonally)
{
    OutlineSet s = rectangle(0, 0, 20, 10);
    InsetOutlines(s, 2);
    EXPECT_EQ(s.points, (Tpoints{{2, 2}, {18, 2}, {18, 8}, {2, 8}}));

    // A hole grows outward instead.
    OutlineSet h = rectangle(5, 5, 15, 15, 1);
    InsetOutlines(h, 2);
    EXPECT_EQ(h.points, (Tpoints{{3, 3}, {17, 3}, {17, 17}, {3, 17}}));

    // Counter-clockwise order gives the same inset.
    OutlineSet ccw;
    const QPoint pts[] = {{0, 0}, {0, 10}, {20, 10}, {20, 0}};
    ccw.add(pts);
    InsetOutlines(ccw, 2);
    EXPECT_EQ(ccw.points, (Tpoints{{2, 2}, {2, 8}, {18, 8}, {18, 2}}));
}

TEST(InsetOutlines, DegenerateOutlinesStay)
{
    OutlineSet same;
    const QPoint pts[] = {{4, 4}, {4, 4}, {4, 4}};
    same.add(pts);
    InsetOutlines(same, 3);
    EXPECT_EQ(same.points, (Tpoints{{4, 4}, {4, 4}, {4, 4}}));

    // Repeated copies of a corner are skipped when finding its neighbours.
    OutlineSet dup;
    const QPoint d[] = {{0, 0}, {0, 0}, {20, 0}, {20, 20}, {0, 20}};
    dup.add(d);
    InsetOutlines(dup, 2);
    EXPECT_EQ(dup.points[0], QPoint(2, 2));
    EXPECT_EQ(dup.points[1], QPoint(2, 2));
}

TEST(InsetOutlines, ThinShapeDoesNotTurnInsideOut)
{
    // A sliver 4 pixels high inset by 3: the corner moves would cross; after untangling no
    // inset point may lie outside the original outline.
    OutlineSet s;
    const QPoint pts[] = {{0, 0}, {40, 0}, {40, 4}, {0, 4}};
    s.add(pts);
    const OutlineSet before = s;
    InsetOutlines(s, 3);
    for (const QPoint& p : s.points) {
        EXPECT_GE(p.y(), 0);
        EXPECT_LE(p.y(), 4);
        EXPECT_GE(p.x(), 0);
        EXPECT_LE(p.x(), 40);
    }
}

TEST(ThinOutlines, SpacingIsExclusiveAndShortOutlinesGo)
{
    OutlineSet s;
    const QPoint a[] = {{0, 0}, {2, 0}, {4, 1}, {10, 1}, {10, 10}};
    s.add(a, 0);
    const QPoint b[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    s.add(b, 1);
    const QPoint c[] = {{50, 50}, {60, 50}, {60, 60}};
    s.add(c, 2);
    ThinOutlines(s, 2);
    // (2,0) is exactly 2 away from (0,0) and goes; (4,1) is 4.12 away and stays; the tiny square
    // keeps one point and is removed with its level.
    ASSERT_EQ(s.counts, (Tintegers{4, 3}));
    EXPECT_EQ(s.levels, (Tintegers{0, 2}));
    EXPECT_EQ(s.outline(0)[1], QPoint(4, 1));

    OutlineSet t;
    const QPoint d[] = {{0, 0}, {2, 1}, {2, 5}, {-3, 3}};
    t.add(d);
    ThinOutlines(t, 2);
    EXPECT_EQ(t.counts, (Tintegers{4}));  // 2.24 > 2 is kept
}

TEST(PointInOutline, EvenOddWithFractions)
{
    const QPoint sq[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInOutline(sq, 0.011L, 0.011L));
    EXPECT_TRUE(PointInOutline(sq, 5, 5));
    EXPECT_FALSE(PointInOutline(sq, -0.01L, 5));
    EXPECT_FALSE(PointInOutline(sq, 11, 5));
    EXPECT_FALSE(PointInOutline(sq, 5, 10.5L));
    // A self-crossing bow tie: the middle crossing point's neighbourhood alternates.
    const QPoint bow[] = {{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    EXPECT_TRUE(PointInOutline(bow, 1, 5));
    EXPECT_FALSE(PointInOutline(bow, 5, 1));
    EXPECT_FALSE(PointInOutline({}, 1, 1));
}

}  // namespace
