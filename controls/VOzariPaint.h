#pragma once
// Drawing rules of the shaped button's face that do not depend on the widget: the colour rules,
// gradients, region frames, glyph copies and the caption's accelerator marks and rotated box.
#include "controls/VOzariShapes.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>
#include <vector>

class QPainter;

// clNone: no colour (an invalid QColor). Turned into black where a colour rule must use it.
inline QColor clNone() { return QColor(); }
// The desktop's standard button face and shadow colours.
inline QColor clBtnFace() { return QColor(240, 240, 240); }
inline QColor clBtnShadow() { return QColor(160, 160, 160); }

// Each channel +32, saturating at 255 from 224 up.
QColor Lighter(const QColor& c);
// Each channel -32, 0 below 32.
QColor Darker(const QColor& c);
// red + green + blue; a colour is dark below 361.
int Brightness(const QColor& c);
bool IsDark(const QColor& c);
// Per channel c1 + k (c2 - c1) / n (integer division), c1 when n is 0.
QColor Interpolate(const QColor& c1, const QColor& c2, int k, int n);

// Colour filter of sampled gradient bitmaps: -1 Darker, 0 as is, 1 Lighter, 2 Lighter twice.
QColor ApplyBitmapMode(const QColor& c, int mode);

struct GradientSource {
    QColor first, second;
    QImage bitmap;   // when not null, colours are sampled from one row of it
    int line = 0;    // the row; row 0 when at or beyond the bitmap's height
    int mode = 0;    // ApplyBitmapMode filter for sampled colours
    QColor at(int k, int n) const;
};

struct GradientLine {
    QPoint from, to;
    QColor colour;
};
// The lines of a linear gradient over a w x h box at `angle` tenths of a degree: n + 1 lines,
// 3 pixels apart, each drawn 3 pixels wide.
std::vector<GradientLine> LinearGradientLines(int w, int h, int angle, const GradientSource& src);
// Draws a linear or circular gradient over (0, 0, w, h) with the painter's current clipping.
void DrawGradient(QPainter& p, TIAGradientKind kind, int w, int h, int angle, const GradientSource& src);

// The one-pixel band along the inside of a region's boundary.
QRegion FrameRegion(const QRegion& region);

// Copies src's rectangle to dst at `at`, clipped to both images. With `colourKey` the pixels equal
// to src's top-left pixel are skipped. Both images are 24-bit RGB.
void CopyGlyph(QImage& dst, QPoint at, const QImage& src, const QRect& from, bool colourKey);
// The same copy with each pixel ANDed with `brush` (the dimmed look of a disabled glyph).
void MergeCopyGlyph(QImage& dst, QPoint at, const QImage& src, const QRect& from, const QColor& brush);

// A caption cut at its accelerator marks: "&x" draws x underlined, "&&" one "&", a final "&" an
// underlined space.
struct CaptionPiece {
    QString text;
    bool underline = false;
};
std::vector<CaptionPiece> CaptionPieces(const QString& caption);

// Box of a q x r text turned by `angle` tenths of a degree, and where the text's top-left corner
// falls inside it.
struct RotatedTextBox {
    int width = 0, height = 0;
    QPoint corner;
};
RotatedTextBox TextBox(int q, int r, int angle);

// Any image as the 24-bit RGB bitmap the face works with (null stays null).
QImage To24Bit(const QImage& image);
