// Construction, loading and the property setters of the shaped button.
#include "controls/VOzariButton.h"

#include "controls/ControlMessages.h"
#include "controls/IARotateTimer.h"
#include "controls/RegionData.h"

#include <QTimer>
#include <numbers>

namespace {

constexpr int kDefaultWidth = 75;
constexpr int kDefaultHeight = 25;

}  // namespace

TVOzariButton::TVOzariButton(QWidget* parent) : QPushButton(parent)
{
    ReserveControlEventTypes();
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = font();
    f.setFamily(QStringLiteral("Times New Roman"));
    setFont(f);
    resize(kDefaultWidth, kDefaultHeight);
    buttonWidth_ = boxWidth_ = kDefaultWidth;
    buttonHeight_ = boxHeight_ = kDefaultHeight;
    rotationThread_ = std::make_unique<TiaRotateTimer>(this, std::uint32_t(rotatedTime_));
    renderedPressed_ = isDown();
    renderedHover_ = hover_;
    renderedEnabled_ = isEnabled();
    rebuildShape();
}

TVOzariButton::~TVOzariButton()
{
    // The thread may be waiting for a step queued to this button; terminating releases it without
    // the step being handled, so the join cannot wait on this (blocked) thread.
    rotationThread_->Terminate();
}

void TVOzariButton::Loaded()
{
    loading_ = false;
    if (loadedPositionSet_) {
        internalSetGeometry(QRect(loadedPosition_, size()));
        targetLeft_ = loadedPosition_.x();
        targetTop_ = loadedPosition_.y();
    }
    syncOutsideSize();
    angleDelta_ = 0;
    rebuildShape();
    invalidate();
    isLoaded_ = true;
}

void TVOzariButton::SetCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    render();
    invalidate();
}

#define VOZARI_RERENDER_SETTER(Name, Type, field) \
    void TVOzariButton::Set##Name(Type v)           \
    {                                               \
        if (change(field, v)) {                     \
            render();                               \
            invalidate();                           \
        }                                           \
    }

#define VOZARI_REBUILD_SETTER(Name, Type, field) \
    void TVOzariButton::Set##Name(Type v)          \
    {                                              \
        if (change(field, v)) {                    \
            rebuildShape();                        \
            invalidate();                          \
        }                                          \
    }

VOZARI_RERENDER_SETTER(CaptionAngle, int, captionAngle_)
VOZARI_RERENDER_SETTER(ButtonColor, const QColor&, buttonColor_)
VOZARI_RERENDER_SETTER(ButtonColor1, const QColor&, buttonColor1_)
VOZARI_RERENDER_SETTER(CaptionHAlign, TIAHAlign, captionHAlign_)
VOZARI_RERENDER_SETTER(CaptionVAlign, TIAVAlign, captionVAlign_)
VOZARI_RERENDER_SETTER(Transparent, bool, transparent_)
VOZARI_RERENDER_SETTER(BitmapHAlign, TIAHAlign, bitmapHAlign_)
VOZARI_RERENDER_SETTER(BitmapVAlign, TIAVAlign, bitmapVAlign_)
VOZARI_RERENDER_SETTER(CaptionFixed, bool, captionFixed_)
VOZARI_RERENDER_SETTER(GradientKind, TIAGradientKind, gradientKind_)
VOZARI_RERENDER_SETTER(GradientAngle, int, gradientAngle_)
VOZARI_RERENDER_SETTER(Caption3dKind, TIACaption3dKind, caption3dKind_)
VOZARI_RERENDER_SETTER(CustomDraw, bool, customDraw_)
VOZARI_RERENDER_SETTER(ShowFocusRGN, bool, showFocusRgn_)
VOZARI_REBUILD_SETTER(Button3DKind, TIA3DKind, button3DKind_)
VOZARI_REBUILD_SETTER(ButtonDepth, int, buttonDepth_)
VOZARI_REBUILD_SETTER(RotationCenterFixed, bool, rotationCenterFixed_)

#undef VOZARI_RERENDER_SETTER
#undef VOZARI_REBUILD_SETTER

void TVOzariButton::SetCaptionTop(int v)
{
    if (!change(captionTop_, v))
        return;
    if (isLoaded_)
        captionVAlign_ = vaNone;
    render();
    invalidate();
}

void TVOzariButton::SetCaptionLeft(int v)
{
    if (!change(captionLeft_, v))
        return;
    if (isLoaded_)
        captionHAlign_ = haNone;
    render();
    invalidate();
}

void TVOzariButton::SetBitmapTop(int v)
{
    if (!change(bitmapTop_, v))
        return;
    if (isLoaded_)
        bitmapVAlign_ = vaNone;
    render();
    invalidate();
}

void TVOzariButton::SetBitmapLeft(int v)
{
    if (!change(bitmapLeft_, v))
        return;
    if (isLoaded_)
        bitmapHAlign_ = haNone;
    render();
    invalidate();
}

void TVOzariButton::SetButtonKind(TIAButtonKind v)
{
    if (!change(buttonKind_, v))
        return;
    angleDelta_ = 0;
    if (v == bkUser)
        recomputeUserOutline();
    rebuildShape();
    invalidate();
}

void TVOzariButton::SetMainBitmap(const QImage& v)
{
    const QImage copy = To24Bit(v);
    if (copy.isNull() && mainBitmap_.isNull())
        return;
    mainBitmap_ = copy;
    render();
    invalidate();
}

void TVOzariButton::SetMainBitmapGlyphs(int v)
{
    if (v < 1 || v > 4 || !change(mainBitmapGlyphs_, v))
        return;
    render();
    invalidate();
}

void TVOzariButton::setAnimationBitmap(AnimationKind kind, const QImage& v)
{
    anim_[kind].bitmap = To24Bit(v);
}

void TVOzariButton::setAnimationGlyphs(AnimationKind kind, int v)
{
    if (v >= 1)
        anim_[kind].glyphs = v;
}

void TVOzariButton::setAnimationInterval(AnimationKind kind, int v)
{
    // A negative interval is no usable timer period.
    if (v >= 0 && !anim_[kind].running)
        anim_[kind].interval = v;
}

void TVOzariButton::SetOnEnterBitmap(const QImage& v) { setAnimationBitmap(Enter, v); }
void TVOzariButton::SetOnEnterGlyphs(int v) { setAnimationGlyphs(Enter, v); }
void TVOzariButton::SetOnEnterInterval(int v) { setAnimationInterval(Enter, v); }
void TVOzariButton::SetOnExitBitmap(const QImage& v) { setAnimationBitmap(Exit, v); }
void TVOzariButton::SetOnExitGlyphs(int v) { setAnimationGlyphs(Exit, v); }
void TVOzariButton::SetOnExitInterval(int v) { setAnimationInterval(Exit, v); }
void TVOzariButton::SetOnClickBitmap(const QImage& v) { setAnimationBitmap(Click, v); }
void TVOzariButton::SetOnClickGlyphs(int v) { setAnimationGlyphs(Click, v); }
void TVOzariButton::SetOnClickInterval(int v) { setAnimationInterval(Click, v); }

void TVOzariButton::SetPeaksNumber(int v)
{
    if (v < 3 || v > 20 || !change(peaksNumber_, v))
        return;
    if (buttonKind_ == bkPoly || buttonKind_ == bkPolyStar) {
        rebuildShape();
        invalidate();
    }
}

void TVOzariButton::SetButtonWidth(int v)
{
    syncOutsideSize();
    if (v < 0 || !change(buttonWidth_, v))
        return;
    applyBox();
}

void TVOzariButton::SetButtonHeight(int v)
{
    syncOutsideSize();
    if (v < 0 || !change(buttonHeight_, v))
        return;
    applyBox();
}

void TVOzariButton::SetStringButtonRegion(const QString& v)
{
    if (v == stringButtonRegion_)
        return;
    stringButtonRegion_ = v;
    if (v.isEmpty()) {
        decodedRegion_ = std::make_unique<QRegion>(0, 0, buttonWidth_, buttonHeight_);
    } else if (auto region = RegionFromString(v)) {
        decodedRegion_ = std::make_unique<QRegion>(*region);
    } else {
        decodedRegion_.reset();
    }
    userSource_ = UserSource::String;
    if (buttonKind_ == bkUser) {
        recomputeUserOutline();
        rebuildShape();
        invalidate();
    }
}

void TVOzariButton::SetUserRegion(const QRegion& region)
{
    if (buttonKind_ != bkUser || (userRegion_ && *userRegion_ == region))
        return;
    userRegion_ = std::make_unique<QRegion>(region);
    userSource_ = UserSource::Given;
    recomputeUserOutline();
    rebuildShape();
    invalidate();
}

void TVOzariButton::SetUserRGNAUTO(bool v)
{
    if (!change(userRgnAuto_, v))
        return;
    if (buttonKind_ == bkUser) {
        if (v)
            recomputeUserOutline();
        rebuildShape();
        invalidate();
    }
}

void TVOzariButton::SetRotationPointX(int v)
{
    if (!change(rotationPointX_, v))
        return;
    rotationCenterFixed_ = false;
    rebuildShape();
    invalidate();
}

void TVOzariButton::SetRotationPointY(int v)
{
    if (!change(rotationPointY_, v))
        return;
    rotationCenterFixed_ = false;
    rebuildShape();
    invalidate();
}

void TVOzariButton::SetRotated(bool v)
{
    if (!change(rotated_, v))
        return;
    if (v)
        rotationThread_->Resume();
    else
        rotationThread_->Suspend();
}

void TVOzariButton::SetRotatedTime(int v)
{
    if (v < 0 || !change(rotatedTime_, v))
        return;
    const bool running = !rotationThread_->Suspended();
    if (running)
        rotationThread_->Suspend();
    rotationThread_->SetInterval(std::uint32_t(v));
    if (running)
        rotationThread_->Resume();
}

void TVOzariButton::SetRotatedAngle(int v)
{
    if (v < -1799 || v > 1799)
        return;
    rotatedAngle_ = v;
}

void TVOzariButton::SetGradientFixed(bool v)
{
    gradientFixed_ = v;
}

void TVOzariButton::SetGradientBitmap(const QImage& v)
{
    const QImage copy = To24Bit(v);
    if (copy.isNull() && gradientBitmap_.isNull())
        return;
    gradientBitmap_ = copy;
    rebuildShape();
    invalidate();
}

void TVOzariButton::SetGradientBitmapLine(int v)
{
    if (v < 0 || !change(gradientBitmapLine_, v))
        return;
    render();
    invalidate();
}

void TVOzariButton::SetRadiusRatio(double v)
{
    if (v < 0 || v > 1 || !change(radiusRatio_, v))
        return;
    if (buttonKind_ == bkArc || buttonKind_ == bkDonut) {
        rebuildShape();
        invalidate();
    }
}

void TVOzariButton::SetArcAngle(double v)
{
    if (v < 0.01 || v > 2 * std::numbers::pi || !change(arcAngle_, v))
        return;
    if (buttonKind_ == bkArc) {
        rebuildShape();
        invalidate();
    }
}
