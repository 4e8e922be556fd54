#include "controls/RotateRGN1.h"

#include <QPolygon>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Index of the first point of each outline.
Tintegers outlineStarts(const OutlineSet& set)
{
    Tintegers starts;
    starts.reserve(set.counts.size());
    int at = 0;
    for (int c : set.counts) {
        starts.push_back(at);
        at += c;
    }
    return starts;
}

// Direction of a point seen from the origin, as the rotation uses it.
long double pointDirection(long double x, long double y)
{
    if (x == 0)
        return y < 1 ? kPi / 2 : -kPi / 2;
    return std::atan2(-y / 1000, x / 1000);
}

}  // namespace

std::span<const QPoint> OutlineSet::outline(std::size_t i) const
{
    std::size_t at = 0;
    for (std::size_t k = 0; k < i; ++k)
        at += std::size_t(counts[k]);
    return {points.data() + at, std::size_t(counts[i])};
}

std::span<QPoint> OutlineSet::outline(std::size_t i)
{
    std::size_t at = 0;
    for (std::size_t k = 0; k < i; ++k)
        at += std::size_t(counts[k]);
    return {points.data() + at, std::size_t(counts[i])};
}

void OutlineSet::add(std::span<const QPoint> pts, int level)
{
    points.insert(points.end(), pts.begin(), pts.end());
    counts.push_back(int(pts.size()));
    levels.push_back(level);
}

std::vector<RegionRect> RegionRects(const QRegion& region)
{
    std::vector<RegionRect> rects;
    rects.reserve(std::size_t(region.rectCount()));
    for (const QRect& r : region)
        rects.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    return rects;
}

QRegion RegionFromRects(std::span<const RegionRect> rects)
{
    // Coordinates are kept within the window system's region range so that widths never overflow.
    static constexpr int kLimit = 1 << 27;
    auto clamp = [](int v) { return std::clamp(v, -kLimit, kLimit); };
    QRegion region;
    for (const RegionRect& r : rects) {
        const int l = clamp(r.left), t = clamp(r.top), rt = clamp(r.right), b = clamp(r.bottom);
        if (rt > l && b > t)
            region += QRect(l, t, rt - l, b - t);
    }
    return region;
}

namespace rgn {

int Round(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<long double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<long double>(INT_MIN))
        return INT_MIN;
    // The default floating-point environment rounds to nearest with ties to even.
    return static_cast<int>(std::nearbyint(v));
}

long double TenthsToRadians(long double tenths)
{
    return tenths * kPi / 1800;
}

long double ScreenDirection(long double dx, long double dy)
{
    if (dx == 0)
        return dy > 0 ? -kPi / 2 : kPi / 2;
    return std::atan2(-dy, dx);
}

}  // namespace rgn

QRegion OutlinesToRegion(const OutlineSet& set)
{
    if (set.empty())
        return {};
    std::vector<QRegion> pieces;
    pieces.reserve(set.counts.size());
    int maxLevel = 0;
    for (std::size_t i = 0; i < set.counts.size(); ++i) {
        auto pts = set.outline(i);
        pieces.emplace_back(QPolygon(QList<QPoint>(pts.begin(), pts.end())), Qt::OddEvenFill);
        maxLevel = std::max(maxLevel, set.levels[i]);
    }
    QRegion result;
    bool first = true;
    for (int level = 0; level <= maxLevel; ++level) {
        for (std::size_t j = 0; j < pieces.size(); ++j) {
            if (set.levels[j] != level)
                continue;
            if (first)
                result = pieces[j];
            else if (level % 2)
                result -= pieces[j];
            else
                result += pieces[j];
            first = false;
        }
    }
    return result;
}

void RotateOutlines(Tpoints& points, int cx, int cy, int angle)
{
    const long double a = rgn::TenthsToRadians(angle);
    for (QPoint& p : points) {
        const long double x = p.x(), y = p.y();
        const long double r = std::sqrt(x * x + y * y);
        if (rgn::Round(r) == 0)
            continue;
        const long double d = pointDirection(x, y) + a;
        p = QPoint(rgn::Round(r * std::cos(d)), -rgn::Round(r * std::sin(d)));
    }
    const long double rc = std::sqrt(static_cast<long double>(cx) * cx + static_cast<long double>(cy) * cy);
    if (rgn::Round(rc) == 0)
        return;
    const long double h = pointDirection(cx, cy) + a;
    const QPoint shift(rgn::Round(cx - rc * std::cos(h)), rgn::Round(cy + rc * std::sin(h)));
    for (QPoint& p : points)
        p += shift;
}

bool PointInOutline(std::span<const QPoint> outline, long double px, long double py)
{
    const std::size_t n = outline.size();
    if (n == 0)
        return false;
    int left = 0, right = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const QPoint& prev = outline[(i + n - 1) % n];
        const QPoint& cur = outline[i];
        const long double yp = prev.y(), yi = cur.y();
        if ((py >= yp && py < yi) || (py > yi && py <= yp)) {
            const long double x = (py - yp) * (cur.x() - prev.x()) / (yi - yp) + prev.x();
            if (px < x)
                ++left;
            else if (px > x)
                ++right;
        }
    }
    return (left % 2) == 1 && (right % 2) == 1;
}

namespace {

struct Move {
    QPoint to;
    int sharpness = 0;
};

// New position of point i of one outline (see InsetOutlines).
Move insetPoint(std::span<const QPoint> pts, std::size_t i, int level, int t, bool& allSame)
{
    const std::size_t n = pts.size();
    const QPoint u = pts[i];
    std::size_t prev = i, next = i;
    for (std::size_t k = 1; k < n; ++k) {
        if (pts[(i + n - k) % n] != u) {
            prev = (i + n - k) % n;
            break;
        }
    }
    if (prev == i) {
        allSame = true;
        return {u, 0};
    }
    for (std::size_t k = 1; k < n; ++k) {
        if (pts[(i + k) % n] != u) {
            next = (i + k) % n;
            break;
        }
    }
    const long double e = rgn::ScreenDirection(pts[prev].x() - u.x(), pts[prev].y() - u.y());
    const long double f = rgn::ScreenDirection(pts[next].x() - u.x(), pts[next].y() - u.y());
    const long double g = (e + f) / 2, half = (e - f) / 2;
    const int sharpness = std::abs(rgn::Round(1000 * std::cos(half)));
    const long double sinI = std::fabs(std::sin(half));
    if (sinI < 0.001L)
        return {u, sharpness};
    const long double cg = std::cos(g), sg = std::sin(g);
    const bool probeInside =
        PointInOutline(pts, u.x() + 0.011L * cg / sinI, u.y() - 0.011L * sg / sinI);
    const bool even = level % 2 == 0;
    const bool toward = probeInside == even;
    const long double m = sinI < 0.5L ? 2.0L * t : t / sinI;
    const int mx = rgn::Round(m * cg), my = rgn::Round(m * sg);
    const QPoint to = toward ? QPoint(u.x() + mx, u.y() - my) : QPoint(u.x() - mx, u.y() + my);
    return {to, sharpness};
}

// Whether the lines through two displacement segments meet at an x strictly inside both.
bool displacementsCross(QPoint a, QPoint b, QPoint c, QPoint d)
{
    const long double rx = b.x() - a.x(), ry = b.y() - a.y();
    const long double sx = d.x() - c.x(), sy = d.y() - c.y();
    const long double den = rx * sy - ry * sx;
    if (den == 0)
        return false;
    const long double tpar = ((c.x() - a.x()) * sy - (c.y() - a.y()) * sx) / den;
    const int x = rgn::Round(a.x() + tpar * rx);
    auto strictlyInside = [x](int x1, int x2) { return std::min(x1, x2) < x && x < std::max(x1, x2); };
    return strictlyInside(a.x(), b.x()) && strictlyInside(c.x(), d.x());
}

}  // namespace

void InsetOutlines(OutlineSet& set, int distance)
{
    const Tintegers starts = outlineStarts(set);
    std::vector<Move> moves(set.points.size());
    for (std::size_t o = 0; o < set.counts.size(); ++o) {
        auto pts = set.outline(o);
        bool allSame = false;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            Move& mv = moves[std::size_t(starts[o]) + i];
            if (allSame) {
                mv = {pts[i], 0};
                continue;
            }
            mv = insetPoint(pts, i, set.levels[o], distance, allSame);
        }
    }
    // Untangle: displacements of neighbours that cross would fold the inset outline over itself;
    // the blunter corner takes the sharper one's position. Each merge leaves the two segments
    // sharing an end point, so a merged pair never crosses again; the cap only guards the loop.
    const std::size_t cap = set.points.size() * set.points.size() + 16;
    bool again = true;
    for (std::size_t pass = 0; again && pass < cap; ++pass) {
        again = false;
        for (std::size_t o = 0; o < set.counts.size(); ++o) {
            const std::size_t n = std::size_t(set.counts[o]), base = std::size_t(starts[o]);
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t ui = base + i, vi = base + (i + 1) % n;
                if (ui == vi)
                    continue;
                if (!displacementsCross(set.points[ui], moves[ui].to, set.points[vi], moves[vi].to))
                    continue;
                if (moves[ui].sharpness <= moves[vi].sharpness) {
                    moves[ui] = moves[vi];
                    again = true;
                } else {
                    moves[vi] = moves[ui];
                }
            }
        }
    }
    for (std::size_t i = 0; i < moves.size(); ++i)
        set.points[i] = moves[i].to;
}

std::pair<OutlineSet, OutlineSet> SplitBevel(const OutlineSet& outer, const OutlineSet& inner)
{
    OutlineSet light, dark;
    if (outer.counts != inner.counts)
        return {light, dark};
    for (std::size_t o = 0; o < outer.counts.size(); ++o) {
        auto op = outer.outline(o);
        auto ip = inner.outline(o);
        const std::size_t n = op.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            const QPoint quad[4] = {op[i], ip[i], ip[j], op[j]};
            const int dx = op[j].x() - op[i].x(), dy = op[j].y() - op[i].y();
            (dy < dx ? light : dark).add(quad);
        }
    }
    return {light, dark};
}

QRegion PolyPolygonRegion(const OutlineSet& set)
{
    QRegion result;
    for (std::size_t i = 0; i < set.counts.size(); ++i) {
        auto pts = set.outline(i);
        result ^= QRegion(QPolygon(QList<QPoint>(pts.begin(), pts.end())), Qt::OddEvenFill);
    }
    return result;
}

void ThinOutlines(OutlineSet& set, int spacing)
{
    OutlineSet out;
    const long double limit = static_cast<long double>(spacing) * spacing;
    for (std::size_t o = 0; o < set.counts.size(); ++o) {
        auto pts = set.outline(o);
        if (pts.empty())
            continue;
        Tpoints kept{pts[0]};
        for (std::size_t i = 1; i < pts.size(); ++i) {
            const long double dx = pts[i].x() - kept.back().x(), dy = pts[i].y() - kept.back().y();
            if (dx * dx + dy * dy > limit)
                kept.push_back(pts[i]);
        }
        if (kept.size() >= 3)
            out.add(kept, set.levels[o]);
    }
    set = std::move(out);
}
