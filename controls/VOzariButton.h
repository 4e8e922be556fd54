#pragma once
// TVOzariButton: a push button shaped as an ellipse, polygon, star, arc, ring, arrow, cross or any
// region. The widget's mask takes the shape, so the parent shows around it; the shape can be turned
// to any angle (tenths of a degree, counter-clockwise), once or continuously by a timer thread; the
// face is painted off screen (plain colour or gradient, bevels following the outline, glyph strip,
// angled caption) and copied to the widget in one piece.
//
// Properties follow one pattern: Name() reads, SetName(v) writes; a write of the current value
// does nothing and out-of-range values are ignored silently. Writes then either re-render the face
// or rebuild the shape (outline, mask, bevel, frame and focus regions).
//
// Geometry: ButtonWidth x ButtonHeight is the unrotated shape; the widget is the bounding box of the
// rotated shape (BoxWidth x BoxHeight). Turning keeps the pivot (RotationPointX/Y, or the centre
// with RotationCenterFixed) still on the parent. Resizing the widget from outside rescales the shape.
//
// Loading: properties set between construction and Loaded() are design values: CaptionTop and
// the like do not yet switch their alignment to "none", and the position the widget is given then
// wins over moves made while the shape is built.
#include "controls/RotateRGN1.h"
#include "controls/VOzariPaint.h"
#include "controls/VOzariShapes.h"

#include <QImage>
#include <QPushButton>
#include <QRegion>
#include <memory>

class QTimer;
class TiaRotateTimer;

class TVOzariButton : public QPushButton {
    Q_OBJECT
public:
    explicit TVOzariButton(QWidget* parent = nullptr);
    ~TVOzariButton() override;

    // Start of loading, as when a window's design sets the button's properties one after another:
    // until Loaded, nothing is drawn or shaped (each property would otherwise draw the face and
    // rebuild the outline again).
    void BeginLoading() { loading_ = true; }
    // End of loading: restores the designed position, picks up the designed size, rebuilds.
    void Loaded();
    bool IsLoaded() const { return isLoaded_; }

    // Caption (the button's text, with "&" accelerator marks).
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);

    int CaptionTop() const { return captionTop_; }
    virtual void SetCaptionTop(int v);
    int CaptionLeft() const { return captionLeft_; }
    virtual void SetCaptionLeft(int v);
    int CaptionAngle() const { return captionAngle_; }
    virtual void SetCaptionAngle(int v);
    QColor ButtonColor() const { return buttonColor_; }
    virtual void SetButtonColor(const QColor& v);
    TIAButtonKind ButtonKind() const { return buttonKind_; }
    void SetButtonKind(TIAButtonKind v);
    TIA3DKind Button3DKind() const { return button3DKind_; }
    void SetButton3DKind(TIA3DKind v);
    int ButtonDepth() const { return buttonDepth_; }
    virtual void SetButtonDepth(int v);
    TIAHAlign CaptionHAlign() const { return captionHAlign_; }
    virtual void SetCaptionHAlign(TIAHAlign v);
    TIAVAlign CaptionVAlign() const { return captionVAlign_; }
    virtual void SetCaptionVAlign(TIAVAlign v);

    const QImage& MainBitmap() const { return mainBitmap_; }
    virtual void SetMainBitmap(const QImage& v);
    int MainBitmapGlyphs() const { return mainBitmapGlyphs_; }
    virtual void SetMainBitmapGlyphs(int v);

    // The three frame animations: mouse enter, mouse exit, press.
    const QImage& OnEnterBitmap() const { return anim_[Enter].bitmap; }
    virtual void SetOnEnterBitmap(const QImage& v);
    int OnEnterGlyphs() const { return anim_[Enter].glyphs; }
    virtual void SetOnEnterGlyphs(int v);
    int OnEnterInterval() const { return anim_[Enter].interval; }
    virtual void SetOnEnterInterval(int v);
    const QImage& OnExitBitmap() const { return anim_[Exit].bitmap; }
    virtual void SetOnExitBitmap(const QImage& v);
    int OnExitGlyphs() const { return anim_[Exit].glyphs; }
    virtual void SetOnExitGlyphs(int v);
    int OnExitInterval() const { return anim_[Exit].interval; }
    virtual void SetOnExitInterval(int v);
    const QImage& OnClickBitmap() const { return anim_[Click].bitmap; }
    virtual void SetOnClickBitmap(const QImage& v);
    int OnClickGlyphs() const { return anim_[Click].glyphs; }
    virtual void SetOnClickGlyphs(int v);
    int OnClickInterval() const { return anim_[Click].interval; }
    virtual void SetOnClickInterval(int v);

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool v);
    int PeaksNumber() const { return peaksNumber_; }
    virtual void SetPeaksNumber(int v);
    int ButtonAngle() const { return buttonAngle_; }
    virtual void SetButtonAngle(int v);
    int ButtonWidth() const { return buttonWidth_; }
    virtual void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    virtual void SetButtonHeight(int v);
    int BitmapTop() const { return bitmapTop_; }
    virtual void SetBitmapTop(int v);
    int BitmapLeft() const { return bitmapLeft_; }
    virtual void SetBitmapLeft(int v);
    TIAHAlign BitmapHAlign() const { return bitmapHAlign_; }
    virtual void SetBitmapHAlign(TIAHAlign v);
    TIAVAlign BitmapVAlign() const { return bitmapVAlign_; }
    virtual void SetBitmapVAlign(TIAVAlign v);
    // A region serialised as text (see RegionData.h), the outline of bkUser.
    QString StringButtonRegion() const { return stringButtonRegion_; }
    virtual void SetStringButtonRegion(const QString& v);
    bool UserRGNAUTO() const { return userRgnAuto_; }
    virtual void SetUserRGNAUTO(bool v);
    int RotationPointX() const { return rotationPointX_; }
    virtual void SetRotationPointX(int v);
    int RotationPointY() const { return rotationPointY_; }
    virtual void SetRotationPointY(int v);
    bool RotationCenterFixed() const { return rotationCenterFixed_; }
    virtual void SetRotationCenterFixed(bool v);
    bool Rotated() const { return rotated_; }
    virtual void SetRotated(bool v);
    int RotatedTime() const { return rotatedTime_; }
    virtual void SetRotatedTime(int v);
    int RotatedAngle() const { return rotatedAngle_; }
    virtual void SetRotatedAngle(int v);
    bool CaptionFixed() const { return captionFixed_; }
    virtual void SetCaptionFixed(bool v);
    QColor ButtonColor1() const { return buttonColor1_; }
    virtual void SetButtonColor1(const QColor& v);
    TIAGradientKind GradientKind() const { return gradientKind_; }
    virtual void SetGradientKind(TIAGradientKind v);
    int GradientAngle() const { return gradientAngle_; }
    virtual void SetGradientAngle(int v);
    bool GradientFixed() const { return gradientFixed_; }
    virtual void SetGradientFixed(bool v);
    const QImage& GradientBitmap() const { return gradientBitmap_; }
    virtual void SetGradientBitmap(const QImage& v);
    int GradientBitmapLine() const { return gradientBitmapLine_; }
    virtual void SetGradientBitmapLine(int v);
    TIACaption3dKind Caption3dKind() const { return caption3dKind_; }
    virtual void SetCaption3dKind(TIACaption3dKind v);
    double RadiusRatio() const { return radiusRatio_; }
    virtual void SetRadiusRatio(double v);
    double ArcAngle() const { return arcAngle_; }
    virtual void SetArcAngle(double v);
    bool CustomDraw() const { return customDraw_; }
    void SetCustomDraw(bool v);
    bool ShowFocusRGN() const { return showFocusRgn_; }
    void SetShowFocusRGN(bool v);

    // Takes a region as the bkUser outline (ignored for other kinds and for the current region).
    virtual void SetUserRegion(const QRegion& region);

    // State and geometry as the painter sees them.
    int BoxWidth() const { return boxWidth_; }
    int BoxHeight() const { return boxHeight_; }
    int TargetLeft() const { return targetLeft_; }
    int TargetTop() const { return targetTop_; }
    bool Hover() const { return hover_; }
    bool Pressed() const { return isDown(); }
    bool Active() const { return active_; }
    const QImage& FaceBitmap() const { return face_; }
    // The rotated outline in widget coordinates and the regions built from it.
    const OutlineSet& Outline() const { return outline_; }
    const QRegion& WindowRegion() const { return windowRegion_; }
    const QRegion& LightBevelRegion() const { return lightBevel_; }
    const QRegion& DarkBevelRegion() const { return darkBevel_; }
    const QRegion& InnerLightBevelRegion() const { return innerLightBevel_; }
    const QRegion& InnerDarkBevelRegion() const { return innerDarkBevel_; }
    const QRegion& OuterFrameRegion() const { return outerFrame_; }
    const QRegion& InnerFrameRegion() const { return innerFrame_; }
    const QRegion& FocusRegion() const { return focusRegion_; }
    // Running flags of the enter, exit and click animations.
    bool EnterAnimationRunning() const { return anim_[Enter].running; }
    bool ExitAnimationRunning() const { return anim_[Exit].running; }
    bool ClickAnimationRunning() const { return anim_[Click].running; }
    const TiaRotateTimer* RotationThread() const { return rotationThread_.get(); }

signals:
    void onMouseEnter(TVOzariButton* sender);
    void onMouseExit(TVOzariButton* sender);
    void OnPaint(TVOzariButton* sender);

protected:
    // Puts the face on the widget, re-rendering first when a state changed since the last render.
    virtual void Paint(QPainter& painter);
    // Draws the glyph of the current state into the face bitmap.
    virtual void DrawGlyph(bool pressed);

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool hitButton(const QPoint& pos) const override;

private:
    enum AnimationKind { Enter = 0, Exit = 1, Click = 2 };
    struct Animation {
        QImage bitmap;
        int glyphs = 1;
        int interval = 40;
        bool running = false;
        int frame = 0;
    };

    // Geometry (VOzariButtonGeometry.cpp).
    ShapeParams shapeParams() const;
    OutlineSet buildOutline();
    void rebuildShape();
    void computeTarget();
    void applyBox();
    void internalSetGeometry(const QRect& r);
    bool syncOutsideSize();
    void outsideResize(QSize size);
    void rotateStep();
    void recomputeUserOutline();
    const QRegion* userSourceRegion() const;

    // Painting (VOzariButtonPaint.cpp).
    void render();
    void invalidate() { update(); }
    void drawFace(QPainter& p);
    void drawBevels(QPainter& p);
    void drawCaption(QPainter& p);
    QPoint glyphPosition(int glyphWidth, int glyphHeight) const;

    // Interaction (VOzariButtonInput.cpp).
    void startAnimation(AnimationKind kind);
    void stopAnimation(AnimationKind kind);
    void playEnterAnimation();  // stop the exit animation, start the enter one unless it runs
    void playExitAnimation();   // stop enter and click, start exit unless it runs
    void playClickAnimation();  // stop enter, start click unless it runs
    void animationTick();
    void drawAnimationFrame(const Animation& a);
    void updateActive();

    // Shared setter steps.
    template <typename T> bool change(T& field, const T& value);
    void setAnimationBitmap(AnimationKind kind, const QImage& v);
    void setAnimationGlyphs(AnimationKind kind, int v);
    void setAnimationInterval(AnimationKind kind, int v);

    // Properties.
    int captionTop_ = 5, captionLeft_ = 5, captionAngle_ = 0;
    QColor buttonColor_ = clBtnFace();
    TIAButtonKind buttonKind_ = bkRect;
    TIA3DKind button3DKind_ = dk3D;
    int buttonDepth_ = 2;
    TIAHAlign captionHAlign_ = haCenter;
    TIAVAlign captionVAlign_ = vaCenter;
    QImage mainBitmap_;
    int mainBitmapGlyphs_ = 1;
    Animation anim_[3];
    bool transparent_ = false;
    int peaksNumber_ = 6;
    int buttonAngle_ = 0;
    int buttonWidth_ = 0, buttonHeight_ = 0;
    int bitmapTop_ = 5, bitmapLeft_ = 5;
    TIAHAlign bitmapHAlign_ = haLeft;
    TIAVAlign bitmapVAlign_ = vaTop;
    QString stringButtonRegion_;
    bool userRgnAuto_ = true;
    int rotationPointX_ = 0, rotationPointY_ = 0;
    bool rotationCenterFixed_ = false;
    bool rotated_ = false;
    int rotatedTime_ = 40, rotatedAngle_ = 40;
    bool captionFixed_ = false;
    QColor buttonColor1_ = clBtnShadow();
    TIAGradientKind gradientKind_ = gkNone;
    int gradientAngle_ = 450;
    bool gradientFixed_ = false;
    QImage gradientBitmap_;
    int gradientBitmapLine_ = 0;
    TIACaption3dKind caption3dKind_ = ckSimple;
    double radiusRatio_ = 0.5;
    double arcAngle_ = 2.0943951023931957;
    bool customDraw_ = false;
    bool showFocusRgn_ = true;

    // Geometry state.
    int boxWidth_ = 0, boxHeight_ = 0;
    int targetLeft_ = 0, targetTop_ = 0;
    int angleDelta_ = 0;
    OutlineSet outline_;
    QRegion windowRegion_, outerFrame_, innerFrame_, focusRegion_;
    QRegion lightBevel_, darkBevel_, innerLightBevel_, innerDarkBevel_;
    std::unique_ptr<QRegion> decodedRegion_, userRegion_;
    enum class UserSource { String, Given } userSource_ = UserSource::String;
    OutlineSet userOutline_;
    QRect userBox_;
    bool isLoaded_ = false;
    bool loading_ = false;  // between BeginLoading and Loaded
    bool loadedPositionSet_ = false;
    QPoint loadedPosition_;
    int internalGeometry_ = 0;  // > 0 while the button moves or sizes itself
    bool syncingSize_ = false;

    // Painting state.
    QImage face_;
    QImage animationPicture_;  // the face with the current animation frame, while one shows
    QColor brush_;
    bool hover_ = false, active_ = false;
    bool renderedPressed_ = false, renderedHover_ = false, renderedEnabled_ = true;
    QString renderedText_;
    bool focusSeen_ = false;
    bool rendering_ = false;
    QTimer* animationTimer_ = nullptr;  // child of the button

    std::unique_ptr<TiaRotateTimer> rotationThread_;
};

template <typename T>
bool TVOzariButton::change(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
