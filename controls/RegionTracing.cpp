// Tracing the boundary of a region, given as banded rectangles, back into outlines.
#include "controls/RotateRGN1.h"

#include <cmath>
#include <limits>

namespace {

// A classified boundary point. Codes 1..4 are convex corners (top-left, top-right, bottom-right,
// bottom-left, clockwise); -1..-4 are concave corners.
struct Corner {
    QPoint at;
    int code = 0;
};

enum Direction { Right, Down, Left, Up };

struct Step {
    int accept1, accept2;
    Direction dir;
};

// Where to look next from a corner of code a with parity e; row a + 4 for a < 0.
constexpr Step kSteps[8][2] = {
    {{2, -3, Right}, {4, -3, Down}},   // 1
    {{3, -4, Down}, {1, -4, Left}},    // 2
    {{4, -1, Left}, {2, -1, Up}},      // 3
    {{1, -2, Up}, {3, -2, Right}},     // 4
    {{3, -2, Right}, {3, -4, Down}},   // -1
    {{4, -3, Down}, {4, -1, Left}},    // -2
    {{1, -4, Left}, {1, -2, Up}},      // -3
    {{2, -1, Up}, {2, -3, Right}},     // -4
};

const Step& stepFor(int code, int parity)
{
    const int row = code > 0 ? code - 1 : 3 - code;
    return kSteps[row][parity];
}

// The concave code a lone corner takes when it lies strictly inside a side of another rectangle
// (the last such rectangle decides), or its own code.
int classifyLone(QPoint p, int code, std::span<const RegionRect> rects)
{
    int result = code;
    for (const RegionRect& r : rects) {
        const bool onLeft = p.x() == r.left && p.y() > r.top && p.y() < r.bottom;
        const bool onRight = p.x() == r.right && p.y() > r.top && p.y() < r.bottom;
        const bool onTop = p.y() == r.top && p.x() > r.left && p.x() < r.right;
        const bool onBottom = p.y() == r.bottom && p.x() > r.left && p.x() < r.right;
        switch (code) {
        case 1:
            if (onRight) result = -4;
            else if (onBottom) result = -2;
            break;
        case 2:
            if (onLeft) result = -3;
            else if (onBottom) result = -1;
            break;
        case 3:
            if (onLeft) result = -2;
            else if (onTop) result = -4;
            break;
        case 4:
            if (onRight) result = -1;
            else if (onTop) result = -3;
            break;
        }
    }
    return result;
}

std::vector<Corner> classifyCorners(std::span<const RegionRect> rects)
{
    struct Meeting {
        QPoint at;
        int count = 0, sum = 0, code = 0;
    };
    std::vector<Meeting> meetings;
    for (const RegionRect& r : rects) {
        const Corner corners[4] = {{{r.left, r.top}, 1}, {{r.right, r.top}, 2},
                                   {{r.right, r.bottom}, 3}, {{r.left, r.bottom}, 4}};
        for (const Corner& c : corners) {
            auto it = std::find_if(meetings.begin(), meetings.end(), [&](const Meeting& m) { return m.at == c.at; });
            if (it == meetings.end())
                meetings.push_back({c.at, 1, c.code, c.code});
            else {
                ++it->count;
                it->sum += c.code;
            }
        }
    }
    std::vector<Corner> out;
    for (const Meeting& m : meetings) {
        switch (m.count) {
        case 1:
            out.push_back({m.at, classifyLone(m.at, m.code, rects)});
            break;
        case 2:
            // Diagonal neighbours pinch the boundary: the point is passed twice.
            if (m.sum == 6) {
                out.push_back({m.at, -3});
                out.push_back({m.at, -1});
            } else if (m.sum == 4) {
                out.push_back({m.at, -4});
                out.push_back({m.at, -2});
            }
            break;
        case 3: {
            const int code = m.sum == 6 ? -4 : m.sum == 9 ? -1 : m.sum == 8 ? -2 : m.sum == 7 ? -3 : 0;
            if (code)
                out.push_back({m.at, code});
            break;
        }
        default:
            break;
        }
    }
    return out;
}

// Nearest corner in a direction with an accepted code that is unvisited (or the start).
int findNext(const std::vector<Corner>& pts, const std::vector<int>& visited, int current, int start,
             const Step& step)
{
    const QPoint from = pts[std::size_t(current)].at;
    int best = -1;
    long long bestDist = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const int idx = int(i);
        if (idx == current)
            continue;
        if (pts[i].code != step.accept1 && pts[i].code != step.accept2)
            continue;
        if (visited[i] >= 0 && idx != start)
            continue;
        const QPoint p = pts[i].at;
        long long dist = -1;
        switch (step.dir) {
        case Right: if (p.y() == from.y() && p.x() >= from.x()) dist = p.x() - from.x(); break;
        case Left: if (p.y() == from.y() && p.x() <= from.x()) dist = from.x() - p.x(); break;
        case Down: if (p.x() == from.x() && p.y() >= from.y()) dist = p.y() - from.y(); break;
        case Up: if (p.x() == from.x() && p.y() <= from.y()) dist = from.y() - p.y(); break;
        }
        if (dist >= 0 && dist < bestDist) {
            bestDist = dist;
            best = idx;
        }
    }
    return best;
}

long double distance(QPoint a, QPoint b)
{
    const long double dx = a.x() - b.x(), dy = a.y() - b.y();
    return std::sqrt(dx * dx + dy * dy);
}

// Drops points lying almost on the line through their neighbours (one-pixel staircase steps).
Tpoints smooth(Tpoints pts)
{
    // Height of a one-pixel step is exactly 1/sqrt(2); the margin keeps rounding noise of Heron's
    // formula from keeping such steps.
    const long double limit = 1.0L / std::sqrt(2.0L) + 1e-9L;
    bool dropped = true;
    while (dropped && pts.size() > 4) {
        dropped = false;
        const Tpoints before = pts;
        const std::size_t n = before.size();
        std::vector<bool> keep(n, true);
        for (std::size_t i = 0; i < n; ++i) {
            const QPoint u = before[i], prev = before[(i + n - 1) % n], next = before[(i + 1) % n];
            const long double a = distance(u, prev), b = distance(u, next), c = distance(next, prev);
            const long double s = (a + b + c) / 2;
            const long double area = std::sqrt(std::max(0.0L, s * (s - a) * (s - b) * (s - c)));
            const long double h = (area > 0.1L && c > 0.1L) ? 2 * area / c : c;
            if (h <= limit) {
                keep[i] = false;
                dropped = true;
            }
        }
        pts.clear();
        for (std::size_t i = 0; i < n; ++i)
            if (keep[i])
                pts.push_back(before[i]);
    }
    return pts;
}

// Even-odd test of a whole-coordinate point against an outline, with care for vertices on the
// point's row: a horizontal run counts as a crossing only when the boundary passes from one side
// of the row to the other across it.
bool containsPoint(std::span<const QPoint> outline, QPoint p)
{
    Tpoints pts;
    for (const QPoint& q : outline)
        if (pts.empty() || pts.back() != q)
            pts.push_back(q);
    while (pts.size() > 1 && pts.front() == pts.back())
        pts.pop_back();
    const std::size_t n = pts.size();
    std::size_t startIdx = n;
    for (std::size_t i = 0; i < n; ++i)
        if (pts[i].y() != p.y()) {
            startIdx = i;
            break;
        }
    if (startIdx == n)
        return false;
    int crossings = 0;
    std::size_t k = 0;
    while (k < n) {
        const QPoint a = pts[(startIdx + k) % n];
        const QPoint b = pts[(startIdx + k + 1) % n];
        if (b.y() != p.y()) {
            if ((a.y() < p.y()) != (b.y() < p.y())) {
                const long double x =
                    a.x() + static_cast<long double>(p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
                if (x > p.x())
                    ++crossings;
            }
            ++k;
            continue;
        }
        // A run of vertices on the row starts at b.
        std::size_t j = k + 1;
        int minX = b.x();
        while (pts[(startIdx + j + 1) % n].y() == p.y()) {
            ++j;
            minX = std::min(minX, pts[(startIdx + j) % n].x());
        }
        const QPoint after = pts[(startIdx + j + 1) % n];
        if ((a.y() < p.y()) != (after.y() < p.y()) && minX > p.x())
            ++crossings;
        k = j;
    }
    return crossings % 2 == 1;
}

}  // namespace

OutlineSet RectanglesToOutlines(std::span<const RegionRect> rects)
{
    OutlineSet set;
    const std::vector<Corner> pts = classifyCorners(rects);
    std::vector<int> visited(pts.size(), -1);
    std::vector<Tpoints> outlines;
    for (std::size_t first = 0; first < pts.size(); ++first) {
        if (visited[first] >= 0)
            continue;
        const int number = int(outlines.size());
        const int start = int(first);
        Tpoints traced{pts[first].at};
        visited[first] = number;
        int current = start, parity = 0;
        for (;;) {
            const int next = findNext(pts, visited, current, start, stepFor(pts[std::size_t(current)].code, parity));
            if (next < 0 || next == start)
                break;
            visited[std::size_t(next)] = number;
            traced.push_back(pts[std::size_t(next)].at);
            if ((pts[std::size_t(next)].code > 0) != (pts[std::size_t(current)].code > 0))
                parity ^= 1;
            current = next;
        }
        outlines.push_back(std::move(traced));
    }
    for (Tpoints& o : outlines)
        o = smooth(std::move(o));
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        int level = 0;
        for (std::size_t j = 0; j < outlines.size(); ++j)
            if (j != i && !outlines[i].empty() && containsPoint(outlines[j], outlines[i].front()))
                ++level;
        set.add(outlines[i], level);
    }
    return set;
}

OutlineSet RegionToOutlines(const QRegion& region)
{
    const std::vector<RegionRect> rects = RegionRects(region);
    return RectanglesToOutlines(rects);
}
