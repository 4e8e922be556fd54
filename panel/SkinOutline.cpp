// Building the panel's outline from its face, run by run.
#include "panel/SkinOutline.h"

#include <vector>

QRegion OutlineOfFace(const QImage& face, QRgb transparency)
{
    const QImage pixels = face.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparency & 0xFFFFFF;
    std::vector<QRect> rects;
    // The runs of the row above, and where their rectangles start in `rects`.
    std::vector<std::pair<int, int>> previousRuns, runs;
    size_t previousFirst = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        runs.clear();
        for (int x = 0; x < pixels.width();) {
            if ((row[x] & 0xFFFFFF) == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width() && (row[x] & 0xFFFFFF) != key)
                ++x;
            runs.emplace_back(start, x);
        }
        if (!runs.empty() && runs == previousRuns) {
            for (size_t i = 0; i < runs.size(); ++i)
                rects[previousFirst + i].setBottom(y);
            continue;
        }
        previousFirst = rects.size();
        for (const auto& [left, right] : runs)
            rects.emplace_back(QPoint(left, y), QPoint(right - 1, y));
        previousRuns = runs;
    }
    QRegion outline;
    outline.setRects(rects.data(), int(rects.size()));
    return outline;
}
