#pragma once
// The renderer window: a widget of its own that shows the pictures of a VideoRenderer, placed by
// the graph's IVideoWindow. With the WS_CHILD style and an owner it is a child of the owner at a
// position in the owner's client coordinates; otherwise it is a window of its own (framed when the
// style has WS_CAPTION, kept on top with WS_EX_TOPMOST). The picture fills the window with its
// aspect ratio kept and black bars around it. Mouse, wheel and key input is forwarded to the
// message drain when there is one. The pictures are drawn by the CPU output (converted on the
// renderer thread, painted here) or by the OpenGL output (a GlVideoOutput child filling the
// window), as chooseVideoOutput() decides when the window is made.
#include "platform/media/VideoOutputChoice.h"
#include "platform/media/VideoRenderer.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace media {

class GlVideoOutput;
class PaintedLayer;
class WindowSink;

// Where a presented picture goes in a window of size `room`: centred pixel for pixel when it was
// converted for that room, otherwise scaled to fit with its shape kept. Empty without a picture.
QRect pictureTarget(QSize room, QSize picture);

class VideoRendererWindow : public QWidget {
    Q_OBJECT
public:
    VideoRendererWindow();
    ~VideoRendererWindow() override;

    // The thread-safe end the renderer thread presents pictures to.
    std::shared_ptr<VideoSink> sink() const;

    void setOwner(QWidget* owner);
    QWidget* owner() const { return owner_; }
    void setStyles(uint32_t style, uint32_t styleEx);
    uint32_t style() const { return style_; }
    uint32_t styleEx() const { return styleEx_; }
    void setPlacement(const QRect& rect);
    QRect placement() const { return placement_; }
    void setDrain(QWidget* drain) { drain_ = drain; }
    QWidget* drain() const { return drain_; }
    // Whether the window should be on the screen while the graph plays or pauses.
    void setWanted(bool wanted);
    bool wanted() const { return wanted_; }
    // Shows or hides the window as the graph starts or stops streaming (and `wanted` allows).
    void setStreaming(bool streaming);

    // The picture as last presented (null when none), as drawn by the output.
    QImage picture() const;
    // Where the picture is in the window (empty when none).
    QRect pictureRect() const;
    // Drawn over the picture after each paint (the owner's drawing surface).
    void setOverlayPainter(std::function<void(QPainter&)> painter);
    VideoOutput output() const { return output_; }
    // "CPU", or "OpenGL (renderer)".
    QString outputName() const;

    // The renderer window among `parent`'s children whose caption is `caption`; null if none.
    static VideoRendererWindow* find(const QWidget* parent, const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void apply();
    bool forward(QEvent* event);
    void pictureArrived();
    static bool probeOutputSixteenBit(VideoOutput output);

    const VideoOutput output_;
    std::shared_ptr<WindowSink> sink_;
    GlVideoOutput* gl_ = nullptr;     // a child: owned by this widget
    PaintedLayer* layer_ = nullptr;   // a child over gl_, for the owner's drawing
    QPointer<QWidget> owner_;
    QPointer<QWidget> drain_;
    uint32_t style_ = 0;
    uint32_t styleEx_ = 0;
    QRect placement_{0, 0, 240, 180};
    bool wanted_ = true;
    bool streaming_ = false;
    std::function<void(QPainter&)> overlay_;
};

}  // namespace media
