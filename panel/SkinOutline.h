#pragma once
// The panel's outline: the pixels of its face that differ from the transparency colour.
#include <QImage>
#include <QRegion>

// One rectangle per run of opaque pixels in a row; rows whose runs repeat the row above extend its
// rectangles downwards. An empty region when every pixel has the transparency colour
// (`transparency` is 0xRRGGBB).
QRegion OutlineOfFace(const QImage& face, QRgb transparency);
