#pragma once
// TDSVideoCanvas: drawing over the picture of a video window control. Each drawing operation
// looks for the control's renderer window (and does nothing without one), sets the brush to the
// renderer's colour key when the graph's video renderer has one, and paints into a layer that the
// renderer window lays over every picture it shows. Pixels painted in the key colour let the
// picture through, as an overlay's key colour does; everything else stays on top of the video
// until Clear() or until the renderer window changes.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPointer>

#include <functional>

class QPainter;
class TDSVideoWindow;

namespace media {
class VideoRendererWindow;
}

class TDSVideoCanvas {
public:
    explicit TDSVideoCanvas(TDSVideoWindow& owner) : owner_(owner) {}

    QColor BrushColor() const { return brushColor_; }
    void SetBrushColor(const QColor& color) { brushColor_ = color; }
    QPen Pen() const { return pen_; }
    void SetPen(const QPen& pen) { pen_ = pen; }
    QFont Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }

    void FillRect(const QRect& rect);
    void Rectangle(const QRect& rect);
    // Text with its top-left corner at (x, y), on a background of the brush colour.
    void TextOut(int x, int y, const QString& text);
    // Any drawing, with the painter set up with this canvas's pen, brush and font.
    void Draw(const std::function<void(QPainter&)>& operation);
    // Removes every drawing from the picture.
    void Clear();

    // What the renderer window lays over the picture (transparent where the picture shows).
    QImage Shown() const { return shown_; }

private:
    media::VideoRendererWindow* Bind();
    void Present(media::VideoRendererWindow* renderer);

    TDSVideoWindow& owner_;
    QColor brushColor_ = Qt::white;
    QPen pen_{Qt::black};
    QFont font_;
    QPointer<media::VideoRendererWindow> renderer_;  // the window the layer belongs to
    QImage layer_;  // what was drawn, key colour included
    QImage shown_;  // the layer with key-coloured pixels made transparent
    QRgb key_ = 0;
    bool hasKey_ = false;
};
