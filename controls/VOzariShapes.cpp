#include "controls/VOzariShapes.h"

#include <QSize>
#include <cmath>
#include <numbers>

namespace {

using rgn::Round;
constexpr long double kPi = std::numbers::pi_v<long double>;

// A point on the ellipse inscribed in w x h (scaled by `scale` about its centre) at angle t,
// t = 0 at the top centre, growing clockwise on the screen.
QPoint onEllipse(int w, int h, long double t, long double scale = 1)
{
    const long double hw = w / 2.0L, hh = h / 2.0L;
    return {Round(scale * hw * std::sin(t) + hw), Round(hh - scale * hh * std::cos(t))};
}

OutlineSet single(const Tpoints& pts)
{
    OutlineSet s;
    s.add(pts);
    return s;
}

Tpoints rectPoints(int w, int h)
{
    return {{0, 0}, {w, 0}, {w, h}, {0, h}};
}

Tpoints roundRect(int w, int h, int depth)
{
    const int d = 2 * depth;
    const long double a[3] = {kPi / 8, kPi / 4, 3 * kPi / 8};
    auto rs = [&](int k) { return Round(d * std::sin(a[k])); };
    auto rc = [&](int k) { return Round(d * std::cos(a[k])); };
    Tpoints p{{d, 0}, {w - d, 0}};
    for (int k = 0; k < 3; ++k)
        p.emplace_back(w - d + rs(k), d - rc(k));
    p.insert(p.end(), {{w, d}, {w, h - d}});
    for (int k = 0; k < 3; ++k)
        p.emplace_back(w - d + rc(k), h - d + rs(k));
    p.insert(p.end(), {{w - d, h}, {d, h}});
    for (int k = 0; k < 3; ++k)
        p.emplace_back(d - rs(k), h - d + rc(k));
    p.insert(p.end(), {{0, h - d}, {0, d}});
    for (int k = 0; k < 3; ++k)
        p.emplace_back(d - rc(k), d - rs(k));
    return p;
}

Tpoints star(int w, int h, int peaks)
{
    const long double c = peaks < 5 ? 1.0L / 3 : std::cos(2 * kPi / peaks) / std::cos(kPi / peaks);
    Tpoints p;
    for (int i = 0; i < peaks; ++i) {
        p.push_back(onEllipse(w, h, i * 2 * kPi / peaks));
        p.push_back(onEllipse(w, h, (i + 0.5L) * 2 * kPi / peaks, c));
    }
    return p;
}

// Step of an arc of `count` points spanning `span`; a lone point sits in the middle.
long double arcAngleAt(int i, int count, long double span)
{
    if (count <= 1)
        return 0;
    return i * span / (count - 1) - span / 2;
}

Tpoints arc(const ShapeParams& p, int n, int* arcHeight)
{
    const int w = p.width;
    const long double a = p.arcAngle, r = p.radiusRatio;
    if (a < 0.1L)
        return rectPoints(w, p.height);
    int outer = 0, height = 0;
    if (a < kPi) {
        outer = Round(w / (2 * std::sin(a / 2)));
        height = Round(outer * (1 - std::cos(a / 2) * r));
    } else {
        outer = w / 2;
        height = Round(outer - std::cos(a / 2) * outer);
    }
    if (arcHeight)
        *arcHeight = height;
    const int inner = Round(outer * r);
    const int m = Round(n * r);
    Tpoints pts(std::size_t(std::max(0, n) + std::max(0, m)));
    for (int i = 0; i < n; ++i) {
        const long double t = arcAngleAt(i, n, a);
        pts[std::size_t(i)] = QPoint(Round(outer * std::sin(t) + w / 2.0L), Round(outer - outer * std::cos(t)));
    }
    for (int k = 0; k < m; ++k) {
        const long double t = arcAngleAt(k, m, a);
        pts[std::size_t(n + m - 1 - k)] = QPoint(Round(inner * std::sin(t) + w / 2.0L), Round(outer - inner * std::cos(t)));
    }
    return pts;
}

// Points given on a grid of ninths of the shape.
Tpoints ninths(int w, int h, std::initializer_list<std::pair<int, int>> grid)
{
    Tpoints p;
    for (auto [a, b] : grid)
        p.emplace_back(a * w / 9, b * h / 9);
    return p;
}

}  // namespace

OutlineSet ShapeOutline(TIAButtonKind kind, const ShapeParams& p, int* arcHeight)
{
    const int w = p.width, h = p.height;
    const int n = std::max(w, h) / std::max(2, p.depth);
    switch (kind) {
    case bkRect:
    case bkUser:
        return single(rectPoints(w, h));
    case bkRoundRect:
        return single(roundRect(w, h, p.depth));
    case bkElliptic: {
        Tpoints pts;
        for (int i = 0; i < n; ++i)
            pts.push_back(onEllipse(w, h, i * 2 * kPi / n));
        return single(pts);
    }
    case bkPoly: {
        Tpoints pts;
        for (int i = 0; i < p.peaks; ++i)
            pts.push_back(onEllipse(w, h, i * 2 * kPi / p.peaks));
        return single(pts);
    }
    case bkPolyStar:
        return single(star(w, h, p.peaks));
    case bkArc:
        return single(arc(p, n, arcHeight));
    case bkDonut: {
        const int m = std::max(w, h) * 2 / std::max(2, p.depth);
        Tpoints outer, inner;
        for (int i = 0; i < m; ++i) {
            outer.push_back(onEllipse(w, h, i * 2 * kPi / m));
            inner.push_back(onEllipse(w, h, i * 2 * kPi / m, p.radiusRatio));
        }
        OutlineSet s;
        s.add(outer, 0);
        s.add(inner, 1);
        return s;
    }
    case bkArrow:
        return single({{0, h / 3}, {w / 2, h / 3}, {w / 2, 0}, {w, h / 2}, {w / 2, h}, {w / 2, 2 * h / 3},
                       {0, 2 * h / 3}});
    case bkArrow1:
        return single({{0, h}, {0, h / 4}, {w / 12, h / 6}, {2 * w / 3, h / 6}, {2 * w / 3, 0}, {w, h / 4},
                       {2 * w / 3, h / 2}, {2 * w / 3, h / 3}, {5 * w / 24, h / 3}, {w / 6, 9 * h / 24}, {w / 6, h}});
    case bkArrow2:
        return single({{w / 6, 0}, {w / 6, 15 * h / 24}, {5 * w / 24, 2 * h / 3}, {2 * w / 3, 2 * h / 3},
                       {2 * w / 3, h / 2}, {w, 3 * h / 4}, {2 * w / 3, h}, {2 * w / 3, 5 * h / 6},
                       {w / 12, 5 * h / 6}, {0, 3 * h / 4}, {0, 0}});
    case bkCross:
        return single(ninths(w, h, {{2, 3}, {3, 2}, {3, 1}, {4, 0}, {5, 0}, {6, 1}, {6, 2}, {7, 3},
                                    {8, 3}, {9, 4}, {9, 5}, {8, 6}, {7, 6}, {6, 7}, {6, 8}, {5, 9},
                                    {4, 9}, {3, 8}, {3, 7}, {2, 6}, {1, 6}, {0, 5}, {0, 4}, {1, 3}}));
    case bkCutRect:
        return single({{0, h / 6}, {w / 6, 0}, {w, 0}, {w, 5 * h / 6}, {5 * w / 6, h}, {0, h}});
    case bkCross1:
        return single(ninths(w, h, {{0, 0}, {2, 0}, {4, 2}, {5, 2}, {7, 0}, {9, 0}, {9, 2}, {7, 4},
                                    {7, 5}, {9, 7}, {9, 9}, {7, 9}, {5, 7}, {4, 7}, {2, 9}, {0, 9},
                                    {0, 7}, {2, 5}, {2, 4}, {0, 2}}));
    }
    return single(rectPoints(w, h));
}

OutlineSet UserShapeOutline(const OutlineSet& userOutline, const QRect& userBox, const ShapeParams& p)
{
    if (userOutline.empty())
        return single(rectPoints(p.width, p.height));
    OutlineSet s = userOutline;
    const bool usable = userBox.width() > 0 && userBox.height() > 0;
    for (QPoint& pt : s.points) {
        if (!usable) {
            pt = QPoint(0, 0);
            continue;
        }
        // 64-bit products: region coordinates may be large.
        pt = QPoint(int(qint64(pt.x() - userBox.left()) * p.width / userBox.width()),
                    int(qint64(pt.y() - userBox.top()) * p.height / userBox.height()));
    }
    ThinOutlines(s, std::max(2, p.depth));
    return s;
}

QSize RotatedBox(int width, int height, int angle)
{
    const long double b = rgn::TenthsToRadians(angle);
    const long double c = std::fabs(std::cos(b)), s = std::fabs(std::sin(b));
    return {Round(c * width + s * height), Round(s * width + c * height)};
}
