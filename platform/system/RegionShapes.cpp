#include "platform/system/RegionShapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

QRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0)
        return {};
    // Corners can be no larger than the rectangle itself.
    const int ew = std::clamp(ellipseWidth, 0, width);
    const int eh = std::clamp(ellipseHeight, 0, height);
    if (ew < 2 || eh < 2)
        return QRegion(left, top, width, height);

    const double a = ew / 2.0;
    const double b = eh / 2.0;
    std::vector<QRect> rows;
    rows.reserve(size_t(height));
    for (int y = 0; y < height; ++y) {
        // Distance of this row's centre from the nearest corner ellipse's centre line.
        const double cy = y + 0.5;
        double dy = 0;
        if (cy < b)
            dy = b - cy;
        else if (cy > height - b)
            dy = cy - (height - b);
        int inset = 0;
        if (dy > 0) {
            const double half = a * std::sqrt(std::max(0.0, 1.0 - (dy * dy) / (b * b)));
            inset = int(std::lround(a - half));
        }
        if (width - 2 * inset > 0)
            rows.emplace_back(left + inset, top + y, width - 2 * inset, 1);
    }
    QRegion region;
    region.setRects(rows.data(), int(rows.size()));
    return region;
}

}  // namespace platform
