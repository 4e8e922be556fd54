// Shape rebuild, box, turning and the widget's own size and move notifications.
#include "controls/IARotateTimer.h"
#include "controls/VOzariButton.h"

#include <QMoveEvent>
#include <QResizeEvent>
#include <cmath>

namespace {

using rgn::Round;

// Brings an angle into -1799 .. 1800.
int normaliseAngle(long long a)
{
    a %= 3600;
    if (a > 1800)
        a -= 3600;
    else if (a <= -1800)
        a += 3600;
    return int(a);
}

// Marks the button's own geometry changes while it lives, so that they are not taken for sizes
// given from outside.
class OwnGeometry {
public:
    explicit OwnGeometry(int& depth) : depth_(depth) { ++depth_; }
    ~OwnGeometry() { --depth_; }
    OwnGeometry(const OwnGeometry&) = delete;
    OwnGeometry& operator=(const OwnGeometry&) = delete;

private:
    int& depth_;
};

void rotateAndCentre(OutlineSet& set, int angle, int w, int h, int boxW, int boxH)
{
    RotateOutlines(set.points, w / 2, h / 2, angle);
    const QPoint shift((boxW - w) / 2, (boxH - h) / 2);
    for (QPoint& p : set.points)
        p += shift;
}

OutlineSet inset(OutlineSet set, int distance)
{
    InsetOutlines(set, distance);
    return set;
}

}  // namespace

ShapeParams TVOzariButton::shapeParams() const
{
    return {buttonWidth_, buttonHeight_, buttonDepth_, peaksNumber_, radiusRatio_, arcAngle_};
}

const QRegion* TVOzariButton::userSourceRegion() const
{
    return userSource_ == UserSource::String ? decodedRegion_.get() : userRegion_.get();
}

void TVOzariButton::recomputeUserOutline()
{
    const QRegion* src = userSourceRegion();
    if (!userRgnAuto_ || !src)
        return;
    userOutline_ = RegionToOutlines(*src);
    userBox_ = src->boundingRect();
}

OutlineSet TVOzariButton::buildOutline()
{
    const ShapeParams params = shapeParams();
    if (buttonKind_ == bkUser) {
        if (!userSourceRegion())
            return ShapeOutline(bkRect, params);
        return UserShapeOutline(userOutline_, userBox_, params);
    }
    int arcHeight = -1;
    OutlineSet set = ShapeOutline(buttonKind_, params, &arcHeight);
    if (arcHeight >= 0) {
        // The arch's height follows from its width and opening: the widget takes the new box at
        // once, where it stands.
        buttonHeight_ = arcHeight;
        const QSize box = RotatedBox(buttonWidth_, buttonHeight_, buttonAngle_);
        boxWidth_ = box.width();
        boxHeight_ = box.height();
        if (size() != box)
            internalSetGeometry(QRect(pos(), box));
    }
    return set;
}

void TVOzariButton::computeTarget()
{
    const int w = buttonWidth_, h = buttonHeight_;
    const int px = rotationCenterFixed_ ? w / 2 : rotationPointX_;
    const int py = rotationCenterFixed_ ? h / 2 : rotationPointY_;
    const long double b = rgn::TenthsToRadians(buttonAngle_);
    const long double b0 = rgn::TenthsToRadians(static_cast<long double>(buttonAngle_) - angleDelta_);
    const long double hw = w / 2.0L, hh = h / 2.0L;
    // Offset of the shape's centre from the pivot once turned by a.
    auto u = [&](long double a) { return std::cos(a) * (hw - px) + std::sin(a) * (hh - py); };
    auto v = [&](long double a) { return std::cos(a) * (hh - py) + std::sin(a) * (px - hw); };
    // Half the growth of the box over the shape at angle a.
    auto growY = [&](long double a) { return std::fabs(std::sin(a) * w) / 2 + std::fabs(std::cos(a) * h) / 2 - hh; };
    auto growX = [&](long double a) { return std::fabs(std::sin(a) * h) / 2 + std::fabs(std::cos(a) * w) / 2 - hw; };
    targetTop_ = y() + Round(growY(b0)) + Round(v(b)) - Round(growY(b)) - Round(v(b0));
    targetLeft_ = x() + Round(growX(b0)) + Round(u(b)) - Round(growX(b)) - Round(u(b0));
    angleDelta_ = 0;
}

bool TVOzariButton::syncOutsideSize()
{
    // Qt tells a hidden widget of its new size only when it is shown; a size given from outside
    // in the meantime is taken up here, before anything is built on the old one.
    if (syncingSize_ || internalGeometry_ > 0 || size() == QSize(boxWidth_, boxHeight_))
        return false;
    syncingSize_ = true;
    outsideResize(size());
    syncingSize_ = false;
    return true;
}

void TVOzariButton::rebuildShape()
{
    if (loading_)
        return;  // built once loaded
    if (syncOutsideSize())
        return;  // rebuilt for the new size
    outline_ = buildOutline();
    if (buttonKind_ == bkUser && !userRgnAuto_) {
        const QRegion* src = userSourceRegion();
        windowRegion_ = src ? *src : QRegion();
    } else {
        computeTarget();
        const int w = buttonWidth_, h = buttonHeight_;
        const bool border = button3DKind_ == dk3dBorder || button3DKind_ == dk3dBorderFlatten;
        OutlineSet inner = inset(outline_, buttonDepth_);
        OutlineSet focus = inset(outline_, border ? 2 * buttonDepth_ + 4 : buttonDepth_ + 4);
        OutlineSet inner2 = inset(inner, buttonDepth_);
        for (OutlineSet* s : {&outline_, &focus, &inner, &inner2})
            rotateAndCentre(*s, buttonAngle_, w, h, boxWidth_, boxHeight_);
        auto [light, dark] = SplitBevel(outline_, inner);
        auto [innerLight, innerDark] = SplitBevel(inner2, inner);
        windowRegion_ = OutlinesToRegion(outline_);
        outerFrame_ = windowRegion_;
        innerFrame_ = OutlinesToRegion(inner2);
        focusRegion_ = OutlinesToRegion(focus);
        lightBevel_ = PolyPolygonRegion(light);
        darkBevel_ = PolyPolygonRegion(dark);
        innerLightBevel_ = PolyPolygonRegion(innerLight);
        innerDarkBevel_ = PolyPolygonRegion(innerDark);
    }
    // An empty mask would show the whole widget; a mask beside it shows nothing.
    setMask(windowRegion_.isEmpty() ? QRegion(-2, -2, 1, 1) : windowRegion_);
    render();
}

void TVOzariButton::internalSetGeometry(const QRect& r)
{
    OwnGeometry own(internalGeometry_);
    setGeometry(r);
}

void TVOzariButton::applyBox()
{
    OwnGeometry own(internalGeometry_);
    const QSize box = RotatedBox(buttonWidth_, buttonHeight_, buttonAngle_);
    boxWidth_ = box.width();
    boxHeight_ = box.height();
    rebuildShape();
    internalSetGeometry(QRect(targetLeft_, targetTop_, boxWidth_, boxHeight_));
    invalidate();
}

void TVOzariButton::SetButtonAngle(int v)
{
    syncOutsideSize();
    if (v == buttonAngle_)
        return;
    OwnGeometry own(internalGeometry_);
    // Only the change modulo a full turn matters; reducing it keeps extreme values from overflowing.
    angleDelta_ = normaliseAngle(static_cast<long long>(v) - buttonAngle_);
    if (captionFixed_)
        captionAngle_ = normaliseAngle(static_cast<long long>(captionAngle_) + angleDelta_);
    if (gradientFixed_)
        gradientAngle_ = normaliseAngle(static_cast<long long>(gradientAngle_) + angleDelta_);
    buttonAngle_ = normaliseAngle(v);
    const QSize box = RotatedBox(buttonWidth_, buttonHeight_, buttonAngle_);
    boxWidth_ = box.width();
    boxHeight_ = box.height();
    rebuildShape();
    // Qt repaints what the old shape uncovered on the parent when the geometry and mask change.
    internalSetGeometry(QRect(targetLeft_, targetTop_, boxWidth_, boxHeight_));
    render();
    invalidate();
}

void TVOzariButton::rotateStep()
{
    SetButtonAngle(buttonAngle_ + rotatedAngle_);
}

void TVOzariButton::outsideResize(QSize size)
{
    boxWidth_ = size.width();
    boxHeight_ = size.height();
    const long double b = rgn::TenthsToRadians(buttonAngle_);
    const long double s = std::fabs(std::sin(b)), c = std::fabs(std::cos(b));
    if (s < 0.00001L || c < 0.00001L) {
        const bool quarter = s >= 0.00001L;
        buttonWidth_ = quarter ? size.height() : size.width();
        buttonHeight_ = quarter ? size.width() : size.height();
        rebuildShape();
        invalidate();
        return;
    }
    // Scale the turned shape to the new box. The projections use |cos| and |sin| so that every
    // quadrant behaves as the first one does.
    const int w = buttonWidth_, h = buttonHeight_;
    const long double p = c * w + s * h, q = s * w + c * h;
    const long double f = (p >= 1 && q >= 1) ? std::max(size.height() / q, size.width() / p) : 1.0L;
    boxWidth_ = Round(p * f);
    boxHeight_ = Round(q * f);
    buttonWidth_ = Round(f * w);
    buttonHeight_ = Round(f * h);
    rebuildShape();
    internalSetGeometry(QRect(targetLeft_, targetTop_, boxWidth_, boxHeight_));
    invalidate();
}

void TVOzariButton::resizeEvent(QResizeEvent* e)
{
    QPushButton::resizeEvent(e);
    // The button's own moves, delivered now or (for a hidden widget) later, arrive at the box size.
    if (internalGeometry_ > 0 || e->size() == QSize(boxWidth_, boxHeight_) || e->size() != size())
        return;
    syncOutsideSize();
}

void TVOzariButton::moveEvent(QMoveEvent* e)
{
    QPushButton::moveEvent(e);
    if (internalGeometry_ == 0 && !isLoaded_) {
        loadedPosition_ = e->pos();
        loadedPositionSet_ = true;
    }
}
