#pragma once
// The outlines of the shaped button's kinds, in the unrotated frame: x from 0 to the shape's width,
// y from 0 to its height, y downward.
#include "controls/RotateRGN1.h"

#include <QRect>

enum TIAButtonKind {
    bkRect, bkRoundRect, bkElliptic, bkPoly, bkPolyStar, bkArc, bkDonut, bkUser,
    bkArrow, bkArrow1, bkArrow2, bkCross, bkCutRect, bkCross1
};
enum TIA3DKind { dk3D, dkFlatten, dk3dsimple, dkFlattenSimple, dk3dBorder, dk3dBorderFlatten, dkNone };
enum TIAGradientKind { gkNone, gkLinear, gkCircular };
enum TIACaption3dKind { ckSimple, ckEmbossed, ckPressed };
enum TIAHAlign { haLeft, haCenter, haRight, haNone };
enum TIAVAlign { vaTop, vaCenter, vaBottom, vaNone };

struct ShapeParams {
    int width = 0;   // ButtonWidth
    int height = 0;  // ButtonHeight
    int depth = 2;   // ButtonDepth: bevel width, and the vertex spacing of the round kinds
    int peaks = 6;   // PeaksNumber
    double radiusRatio = 0.5;
    double arcAngle = 2.0943951023931957;
};

// The outline set of a kind (bkUser gives the rectangle; see UserShapeOutline). For bkArc the
// shape's height follows from its width and opening: it is returned in *arcHeight (which is left
// alone for the other kinds) and the outline is built for that height.
OutlineSet ShapeOutline(TIAButtonKind kind, const ShapeParams& p, int* arcHeight = nullptr);

// The bkUser outline: a region's outline (with the region's bounding box) scaled into the shape,
// thinned to the vertex spacing max(2, depth). The rectangle when there is no usable outline.
OutlineSet UserShapeOutline(const OutlineSet& userOutline, const QRect& userBox, const ShapeParams& p);

// Size of the bounding box of a width x height shape turned by angle tenths of a degree.
QSize RotatedBox(int width, int height, int angle);
