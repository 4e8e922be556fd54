#pragma once
#include <QRegion>

namespace platform {

// A rectangle with elliptic corners, covering the pixels from (left, top) up to but not including
// (right, bottom); each corner is a quarter of an ellipse `ellipseWidth` x `ellipseHeight`.
// Built row by row from the ellipse, so the outline is exact to the pixel.
QRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

}  // namespace platform
