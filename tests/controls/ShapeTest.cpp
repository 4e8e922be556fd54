#include "controls/VOzariShapes.h"

#include <gtest/gtest.h>

namespace {

ShapeParams params(int w, int h, int depth = 2)
{
    ShapeParams p;
    p.width = w;
    p.height = h;
    p.depth = depth;
    return p;
}

TEST(ShapeOutline, EllipseOfThePanelButtons)
{
    const OutlineSet s = ShapeOutline(bkElliptic, params(25, 25));
    ASSERT_EQ(s.counts, (Tintegers{12}));
    EXPECT_EQ(s.levels, (Tintegers{0}));
    EXPECT_EQ(s.points[0], QPoint(12, 0));  // 12.5 rounds to even
    EXPECT_EQ(s.points[1], QPoint(19, 2));
    // A deeper bevel spaces the vertices further apart.
    EXPECT_EQ(ShapeOutline(bkElliptic, params(25, 25, 5)).counts, (Tintegers{5}));
}

TEST(ShapeOutline, SixPointStarOfTheQuitButton)
{
    const OutlineSet s = ShapeOutline(bkPolyStar, params(13, 15));
    ASSERT_EQ(s.counts, (Tintegers{12}));
    EXPECT_EQ(s.points[0], QPoint(6, 0));
    // Inner points on the ellipse shrunk by cos 60 / cos 30 = 0.577.
    EXPECT_EQ(s.points[1], QPoint(8, 4));
    EXPECT_EQ(s.points[7], QPoint(5, 11));
    ShapeParams four = params(30, 30);
    four.peaks = 4;
    // Below five points the inner ellipse is a third of the outer one.
    EXPECT_EQ(ShapeOutline(bkPolyStar, four).points[1], QPoint(19, 11));
}

TEST(ShapeOutline, FixedPointKinds)
{
    struct Case {
        TIAButtonKind kind;
        int count;
    };
    for (const Case c : {Case{bkRect, 4}, Case{bkRoundRect, 20}, Case{bkPoly, 6}, Case{bkArrow, 7},
                         Case{bkArrow1, 11}, Case{bkArrow2, 11}, Case{bkCross, 24}, Case{bkCutRect, 6},
                         Case{bkCross1, 20}, Case{bkUser, 4}}) {
        const OutlineSet s = ShapeOutline(c.kind, params(36, 27));
        ASSERT_EQ(s.counts, (Tintegers{c.count})) << c.kind;
        for (const QPoint& p : s.points) {
            EXPECT_TRUE(p.x() >= 0 && p.x() <= 36 && p.y() >= 0 && p.y() <= 27) << c.kind;
        }
    }
    EXPECT_EQ(ShapeOutline(bkArrow, params(36, 27)).points[5], QPoint(18, 18));
    EXPECT_EQ(ShapeOutline(bkCross, params(36, 27)).points[0], QPoint(8, 9));
    const OutlineSet round = ShapeOutline(bkRoundRect, params(40, 20, 3));
    EXPECT_EQ(round.points[0], QPoint(6, 0));
    EXPECT_EQ(round.points[2], QPoint(36, 0));  // 34 + Round(6 sin 22.5) , 6 - Round(6 cos 22.5)
}

TEST(ShapeOutline, DonutHasAHole)
{
    const OutlineSet s = ShapeOutline(bkDonut, params(40, 40, 4));
    ASSERT_EQ(s.counts, (Tintegers{20, 20}));
    EXPECT_EQ(s.levels, (Tintegers{0, 1}));
    const QRegion r = OutlinesToRegion(s);
    EXPECT_FALSE(r.contains(QPoint(20, 20)));
    EXPECT_TRUE(r.contains(QPoint(20, 4)));
}

TEST(ShapeOutline, ArcSetsItsHeight)
{
    ShapeParams p = params(60, 50);
    int height = -1;
    const OutlineSet s = ShapeOutline(bkArc, p, &height);
    // R = Round(60 / (2 sin 60)) = 35; height = Round(35 (1 - cos 60 x 0.5)) = 26.
    EXPECT_EQ(height, 26);
    ASSERT_EQ(s.counts, (Tintegers{30 + 15}));
    EXPECT_EQ(s.points[0].y(), s.points[29].y());
    EXPECT_EQ(s.points[0].x() + s.points[29].x(), 60);
    // Wide openings take the radius from the width.
    p.arcAngle = 4.0;
    ShapeOutline(bkArc, p, &height);
    EXPECT_EQ(height, 30 + 12);  // Round(30 - cos 2 x 30) = Round(42.48)

    // Tiny openings give the rectangle; single-point arcs do not divide by zero.
    p.arcAngle = 0.05;
    height = -1;
    EXPECT_EQ(ShapeOutline(bkArc, p, &height).counts, (Tintegers{4}));
    EXPECT_EQ(height, -1);
    ShapeParams tiny = params(3, 3, 2);
    tiny.radiusRatio = 1;
    EXPECT_EQ(ShapeOutline(bkArc, tiny, &height).counts, (Tintegers{2}));
}

TEST(UserShapeOutline, ScalesIntoTheShapeAndThins)
{
    OutlineSet user;
    const QPoint pts[] = {{100, 100}, {200, 100}, {200, 150}, {101, 150}, {100, 149}};
    user.add(pts, 0);
    const OutlineSet s = UserShapeOutline(user, QRect(100, 100, 100, 50), params(50, 25));
    // (100, 149) lands 1 pixel from (0, 25) and goes.
    EXPECT_EQ(s.points, (Tpoints{{0, 0}, {50, 0}, {50, 25}, {0, 25}}));
    EXPECT_EQ(UserShapeOutline({}, QRect(), params(10, 10)).points, (Tpoints{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    // A degenerate box collapses every point, so the thinned outline disappears.
    EXPECT_TRUE(UserShapeOutline(user, QRect(100, 100, 0, 50), params(50, 25)).empty());
}

TEST(RotatedBox, QuartersAndDiagonal)
{
    EXPECT_EQ(RotatedBox(20, 10, 0), QSize(20, 10));
    EXPECT_EQ(RotatedBox(20, 10, 900), QSize(10, 20));
    EXPECT_EQ(RotatedBox(20, 10, -1800), QSize(20, 10));
    EXPECT_EQ(RotatedBox(25, 25, 450), QSize(35, 35));
}

}  // namespace
