#pragma once
// Routines on polygon outlines and regions used by the shaped button: outlines become regions, are
// inset by a bevel width, turned about a point, split into light and dark bevel pieces, traced back
// from arbitrary regions and thinned. They keep no state and run on the caller's thread.
//
// Angles are in tenths of a degree, counter-clockwise as seen on the screen (y grows downward).
// Rounding is to nearest with halves to even; geometry runs in long double (x87 extended precision
// on x86-64), so values within rounding noise of a half round the way that precision gives.
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <span>
#include <utility>
#include <vector>

using Tpoints = std::vector<QPoint>;
using Tintegers = std::vector<int>;

// Points with a per-point number (the outline each point belongs to while tracing a region).
struct TRgnpoints {
    Tpoints points;
    Tintegers numbers;
};

// Several closed outlines stored one after the other. counts[i] points belong to outline i, whose
// nesting level is levels[i]: 0 adds area, 1 is a hole in a level-0 outline, 2 an island in a hole...
struct OutlineSet {
    Tpoints points;
    Tintegers counts;
    Tintegers levels;

    bool empty() const { return counts.empty(); }
    // The points of outline i (i < counts.size()).
    std::span<const QPoint> outline(std::size_t i) const;
    std::span<QPoint> outline(std::size_t i);
    // Appends one closed outline.
    void add(std::span<const QPoint> pts, int level = 0);
    friend bool operator==(const OutlineSet&, const OutlineSet&) = default;
};

// A rectangle as the window system's region data stores it: right and bottom are exclusive.
struct RegionRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const RegionRect&, const RegionRect&) = default;
};
// The rectangles of a region in its banded order (top to bottom, then left to right).
std::vector<RegionRect> RegionRects(const QRegion& region);
// The region covered by a list of rectangles; empty or inverted rectangles add nothing.
QRegion RegionFromRects(std::span<const RegionRect> rects);

namespace rgn {

// Rounding to nearest, halves to even, saturated to the int range.
int Round(long double v);
// Tenths of a degree to radians.
long double TenthsToRadians(long double tenths);
// Screen direction of (dx, dy): atan2(-dy, dx), or +-90 degrees when dx is 0.
long double ScreenDirection(long double dx, long double dy);

}  // namespace rgn

// The union of the outlines by level: level-0 outlines add, level-1 subtract, level-2 add again...
// Each outline is filled with the even-odd rule. An empty set gives an empty region.
QRegion OutlinesToRegion(const OutlineSet& set);

// Moves every point of every outline inward by `distance` along its corner's bisector (outward
// for holes, whose level is odd), then merges displacements that cross so that thin parts do not
// turn inside out.
void InsetOutlines(OutlineSet& set, int distance);

// Turns the points about (cx, cy) by `angle` tenths of a degree, counter-clockwise on the screen.
void RotateOutlines(Tpoints& points, int cx, int cy, int angle);

// Splits the ring between an outer set and an inner set with the same counts into quadrilaterals,
// one per outer edge: edges facing up or left (dy < dx) go to the light set, the others to the dark
// set. Each quadrilateral is an outline of 4 points at level 0.
std::pair<OutlineSet, OutlineSet> SplitBevel(const OutlineSet& outer, const OutlineSet& inner);

// The even-odd union of a list of quadrilaterals (as SplitBevel gives them).
QRegion PolyPolygonRegion(const OutlineSet& set);

// Outlines of the boundary of a region's rectangles. The rectangles use the window-system
// convention: right and bottom are exclusive.
OutlineSet RegionToOutlines(const QRegion& region);
OutlineSet RectanglesToOutlines(std::span<const RegionRect> rects);

// Drops the points of each outline that lie no farther than `spacing` from the last kept point;
// outlines left with fewer than 3 points are removed with their level.
void ThinOutlines(OutlineSet& set, int spacing);

// Even-odd test of a point with fractional coordinates against one outline.
bool PointInOutline(std::span<const QPoint> outline, long double px, long double py);
