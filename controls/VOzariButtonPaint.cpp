// Rendering the shaped button's face into its 24-bit bitmap and putting it on the widget.
#include "controls/VOzariButton.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

using rgn::Round;

bool hoverOnly(TIA3DKind k)
{
    return k == dkFlatten || k == dkFlattenSimple || k == dk3dBorderFlatten || k == dkNone;
}

bool hasOuterFrame(TIA3DKind k)
{
    return k == dk3D || k == dkFlatten || k == dk3dBorder || k == dk3dBorderFlatten;
}

bool hasInner(TIA3DKind k)
{
    return k == dk3dBorder || k == dk3dBorderFlatten;
}

void fillRegion(QPainter& p, const QRegion& region, const QColor& colour)
{
    for (const QRect& r : region)
        p.fillRect(r, colour);
}

}  // namespace

void TVOzariButton::render()
{
    if (loading_)
        return;  // drawn once loaded
    if (rendering_ || boxWidth_ <= 0 || boxHeight_ <= 0) {
        face_ = QImage();
        return;
    }
    rendering_ = true;
    const bool enabled = isEnabled();
    if (face_.size() != QSize(boxWidth_, boxHeight_) || face_.format() != QImage::Format_RGB888)
        face_ = QImage(boxWidth_, boxHeight_, QImage::Format_RGB888);
    // Where nothing is filled (no face colour, no gradient) the face shows the parent's colour.
    face_.fill(palette().color(QPalette::Window));
    brush_ = enabled ? buttonColor_ : Lighter(buttonColor_);
    {
        QPainter p(&face_);
        if (customDraw_)
            p.fillRect(face_.rect(), brush_.isValid() ? brush_ : QColor(Qt::black));
        else
            drawFace(p);
    }
    if (!customDraw_) {
        DrawGlyph(isDown());
        QPainter p(&face_);
        drawCaption(p);
    }
    if (userRgnAuto_ || buttonKind_ != bkUser) {
        QPainter p(&face_);
        drawBevels(p);
    }
    renderedPressed_ = isDown();
    renderedHover_ = hover_;
    renderedEnabled_ = enabled;
    renderedText_ = text();
    rendering_ = false;
}

void TVOzariButton::drawFace(QPainter& p)
{
    const bool enabled = isEnabled();
    if (gradientKind_ != gkNone) {
        GradientSource src{enabled ? buttonColor_ : Lighter(buttonColor_),
                           enabled ? buttonColor1_ : Lighter(buttonColor1_), gradientBitmap_,
                           gradientBitmapLine_, enabled ? 0 : 2};
        DrawGradient(p, gradientKind_, boxWidth_, boxHeight_, gradientAngle_, src);
    } else if (buttonColor_.isValid()) {
        p.fillRect(0, 0, boxWidth_, boxHeight_, brush_);
    }
}

void TVOzariButton::drawBevels(QPainter& p)
{
    const TIA3DKind k = button3DKind_;
    const bool outerBevel = !hoverOnly(k) || hover_;
    const bool outerFrame = hasOuterFrame(k) && (!hoverOnly(k) || hover_);
    const bool inner = hasInner(k) && (!hoverOnly(k) || hover_);
    const bool enabled = isEnabled();
    const bool pressed = isDown() && enabled;
    const QColor b = buttonColor_;
    QColor frameColour, focusColour;
    if (gradientKind_ == gkNone) {
        QColor light = Lighter(b), dark = Darker(b), innerLight = Lighter(b), innerDark = Darker(b);
        if (!enabled) {
            light = innerLight = Lighter(Lighter(b));
            dark = innerDark = Darker(Lighter(b));
            frameColour = IsDark(b) ? Lighter(Lighter(Lighter(b))) : Darker(b);
        } else {
            frameColour = IsDark(b) ? Lighter(Lighter(b)) : Darker(Darker(b));
        }
        focusColour = frameColour;
        if (pressed)
            std::swap(light, dark);
        if (outerBevel) {
            fillRegion(p, lightBevel_, light);
            fillRegion(p, darkBevel_, dark);
        }
        if (inner) {
            fillRegion(p, innerLightBevel_, innerLight);
            fillRegion(p, innerDarkBevel_, innerDark);
        }
    } else {
        const GradientSource lightSrc{Lighter(b), Lighter(buttonColor1_), gradientBitmap_, gradientBitmapLine_, 1};
        const GradientSource darkSrc{Darker(b), Darker(buttonColor1_), gradientBitmap_, gradientBitmapLine_, -1};
        auto piece = [&](const QRegion& region, const GradientSource& src) {
            p.setClipRegion(region);
            DrawGradient(p, gradientKind_, boxWidth_, boxHeight_, gradientAngle_, src);
        };
        if (outerBevel) {
            piece(lightBevel_, pressed ? darkSrc : lightSrc);
            piece(darkBevel_, pressed ? lightSrc : darkSrc);
        }
        if (inner) {
            piece(innerLightBevel_, lightSrc);
            piece(innerDarkBevel_, darkSrc);
        }
        p.setClipping(false);
        frameColour = Darker(Darker(b));
        focusColour = Darker(b);
    }
    if (outerFrame)
        fillRegion(p, FrameRegion(outerFrame_), frameColour);
    if (inner)
        fillRegion(p, FrameRegion(innerFrame_), frameColour);
    if (active_ && showFocusRgn_ && (enabled || gradientKind_ == gkNone))
        fillRegion(p, FrameRegion(focusRegion_), focusColour);
}

QPoint TVOzariButton::glyphPosition(int glyphWidth, int glyphHeight) const
{
    const int w = boxWidth_, h = boxHeight_;
    int left = bitmapLeft_, top = bitmapTop_;
    switch (bitmapHAlign_) {
    case haLeft: left = buttonDepth_; break;
    case haCenter: left = (w - glyphWidth) / 2; break;
    case haRight: left = w - buttonDepth_ - glyphWidth; break;
    case haNone: break;
    }
    switch (bitmapVAlign_) {
    case vaTop: top = buttonDepth_; break;
    case vaCenter: top = (h - glyphHeight) / 2; break;
    case vaBottom: top = h - buttonDepth_ - glyphHeight; break;
    case vaNone: break;
    }
    return {left, top};
}

void TVOzariButton::DrawGlyph(bool pressed)
{
    if (mainBitmap_.isNull() || mainBitmap_.height() == 0)
        return;
    const int g = mainBitmapGlyphs_;
    const int gw = mainBitmap_.width() / g, gh = mainBitmap_.height();
    const QPoint at = glyphPosition(gw, gh);
    auto glyph = [&](int j) { return QRect(j * gw, 0, gw, gh); };
    if (!isEnabled()) {
        if (g >= 2)
            CopyGlyph(face_, at, mainBitmap_, glyph(1), transparent_);
        else
            MergeCopyGlyph(face_, at, mainBitmap_, glyph(0), brush_);
        return;
    }
    if (pressed) {
        // The picture shows one pixel further right and down while pressed.
        CopyGlyph(face_, at, mainBitmap_, glyph(g == 4 ? 3 : 0).translated(-1, -1), transparent_);
        return;
    }
    CopyGlyph(face_, at, mainBitmap_, glyph(hover_ && g >= 3 ? 2 : 0), transparent_);
}

void TVOzariButton::drawCaption(QPainter& p)
{
    const std::vector<CaptionPiece> pieces = CaptionPieces(text());
    if (pieces.empty())
        return;
    const bool enabled = isEnabled();
    const QColor normal = enabled ? palette().color(QPalette::ButtonText) : buttonColor_;
    if (!normal.isValid())
        return;
    const QFontMetrics fm(font());
    int q = 0, r = 0;
    for (const CaptionPiece& piece : pieces) {
        q += fm.horizontalAdvance(piece.text);
        if (r == 0)
            r = fm.height();
    }
    const int t = captionFixed_ ? captionAngle_ - buttonAngle_ : captionAngle_;
    const RotatedTextBox box = TextBox(q, r, t);
    const int wr = captionFixed_ ? buttonWidth_ : boxWidth_;
    const int hr = captionFixed_ ? buttonHeight_ : boxHeight_;
    int left = captionLeft_, top = captionTop_;
    switch (captionHAlign_) {
    case haLeft: left = buttonDepth_ + 4; break;
    case haCenter: left = (wr - box.width) / 2; break;
    case haRight: left = wr - buttonDepth_ - box.width - 4; break;
    case haNone: break;
    }
    switch (captionVAlign_) {
    case vaTop: top = buttonDepth_ + 4; break;
    case vaCenter: top = (hr - box.height) / 2; break;
    case vaBottom: top = hr - buttonDepth_ - box.height - 4; break;
    case vaNone: break;
    }
    int x = left + box.corner.x(), y = top + box.corner.y();
    if (captionFixed_) {
        // Carry the start point round with the shape.
        const long double g = rgn::TenthsToRadians(buttonAngle_);
        const long double cg = std::cos(g), sg = std::sin(g);
        const int u = x, v = y;
        x = boxWidth_ / 2 + Round(cg * u + sg * v) - Round(cg * buttonWidth_ / 2 + sg * buttonHeight_ / 2);
        y = boxHeight_ / 2 + Round(cg * v - sg * u) - Round(cg * buttonHeight_ / 2 - sg * buttonWidth_ / 2);
    }
    struct Pass {
        QColor colour;
        int offset;
    };
    std::vector<Pass> passes;
    switch (caption3dKind_) {
    case ckSimple: passes = {{normal, 0}}; break;
    case ckEmbossed: passes = {{Lighter(buttonColor_), -1}, {Darker(buttonColor_), 1}, {normal, 0}}; break;
    case ckPressed: passes = {{Darker(buttonColor_), -1}, {Lighter(buttonColor_), 1}, {normal, 0}}; break;
    }
    const long double a = rgn::TenthsToRadians(captionAngle_);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (const Pass& pass : passes) {
        const int d = pass.offset + (isDown() ? 1 : 0);
        int px = x, py = y;
        for (const CaptionPiece& piece : pieces) {
            QFont f = font();
            f.setUnderline(piece.underline);
            const QFontMetrics pm(f);
            p.save();
            p.setFont(f);
            p.setPen(pass.colour);
            p.translate(px + d, py + d);
            p.rotate(-captionAngle_ / 10.0);
            p.drawText(QPoint(0, pm.ascent()), piece.text);
            p.restore();
            const int w = pm.horizontalAdvance(piece.text);
            px += Round(std::cos(a) * w);
            py += Round(-std::sin(a) * w);
        }
    }
}

void TVOzariButton::Paint(QPainter& painter)
{
    // Becoming the default button has no notification of its own; it is seen here.
    updateActive();
    // The caption may also have been set through the plain button text, which sends no event.
    if (isDown() != renderedPressed_ || hover_ != renderedHover_ || isEnabled() != renderedEnabled_ ||
        text() != renderedText_)
        render();
    painter.drawImage(0, 0, animationPicture_.isNull() ? face_ : animationPicture_);
    emit OnPaint(this);
}

void TVOzariButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}
