#include "platform/media/VideoRendererWindow.h"

#include "platform/media/GlVideoOutput.h"
#include "platform/media/Types.h"
#include "platform/media/WindowSink.h"
#include "platform/system/StartTrace.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>


namespace media {

VideoRendererWindow::VideoRendererWindow()
    : output_(chooseVideoOutput())
    , sink_(std::make_shared<WindowSink>(output_ == VideoOutput::OpenGl, probeOutputSixteenBit(output_)))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setWindowTitle(QStringLiteral("Video Renderer"));
    QPointer<VideoRendererWindow> self(this);
    sink_->repaint_ = [self] {
        if (self)
            self->pictureArrived();
    };
    if (output_ == VideoOutput::OpenGl) {
        std::weak_ptr<WindowSink> sink = sink_;
        gl_ = new GlVideoOutput(
            this,
            [sink](AVFrame* into, QImage& overlay) {
                const auto held = sink.lock();
                return held && held->takeFrame(into, overlay);
            },
            probeOpenGl().sixteenBit);
        layer_ = new PaintedLayer(this);  // made after the output: above it
    }
    resize(placement_.size());
}

bool VideoRendererWindow::probeOutputSixteenBit(VideoOutput output)
{
    return output == VideoOutput::OpenGl && probeOpenGl().sixteenBit;
}

void VideoRendererWindow::pictureArrived()
{
    if (gl_)
        gl_->update();
    else
        update();
}

void VideoRendererWindow::setOverlayPainter(std::function<void(QPainter&)> painter)
{
    overlay_ = std::move(painter);
    if (layer_)
        layer_->setPaint(overlay_);
}

QString VideoRendererWindow::outputName() const
{
    return media::outputName(output_);
}

VideoRendererWindow::~VideoRendererWindow()
{
    sink_->repaint_ = nullptr;
}

std::shared_ptr<VideoSink> VideoRendererWindow::sink() const
{
    return sink_;
}

QImage VideoRendererWindow::picture() const
{
    if (gl_)
        return gl_->picture();
    return sink_->picture();
}

QRect VideoRendererWindow::pictureRect() const
{
    if (gl_)
        return gl_->pictureRect();
    return pictureTarget(size(), sink_->picture().size());
}

void VideoRendererWindow::setOwner(QWidget* owner)
{
    owner_ = owner;
    apply();
}

void VideoRendererWindow::setStyles(uint32_t style, uint32_t styleEx)
{
    style_ = style;
    styleEx_ = styleEx;
    apply();
}

void VideoRendererWindow::setPlacement(const QRect& rect)
{
    placement_ = rect;
    setGeometry(rect);
}

void VideoRendererWindow::setWanted(bool wanted)
{
    wanted_ = wanted;
    setVisible(wanted_ && streaming_);
}

void VideoRendererWindow::setStreaming(bool streaming)
{
    streaming_ = streaming;
    setVisible(wanted_ && streaming_);
}

void VideoRendererWindow::apply()
{
    const bool child = owner_ && (style_ & WS_CHILD);
    Qt::WindowFlags flags = Qt::Widget;
    if (!child) {
        flags = Qt::Window;
        if (!(style_ & WS_CAPTION))
            flags |= Qt::FramelessWindowHint;
        if (styleEx_ & WS_EX_TOPMOST)
            flags |= Qt::WindowStaysOnTopHint;
    }
    QWidget* parent = child ? owner_.data() : nullptr;
    if (parentWidget() != parent || windowFlags() != flags) {
        setParent(parent, flags);  // hides the widget
        setGeometry(placement_);
        setVisible(wanted_ && streaming_);
    }
    if (child)
        raise();
}

VideoRendererWindow* VideoRendererWindow::find(const QWidget* parent, const QString& caption)
{
    if (!parent)
        return nullptr;
    for (auto* w : parent->findChildren<VideoRendererWindow*>(Qt::FindDirectChildrenOnly))
        if (w->windowTitle() == caption)
            return w;
    return nullptr;
}

void VideoRendererWindow::resizeEvent(QResizeEvent* event)
{
    sink_->setRoom(size());
    if (gl_)
        gl_->setGeometry(rect());
    if (layer_)
        layer_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

QRect pictureTarget(QSize room, QSize picture)
{
    if (picture.isEmpty() || room.isEmpty())
        return {};
    // A picture converted for this room fills it one way, give or take the column the converter
    // gave up: it is drawn as it is, centred, pixel for pixel.
    const bool fitted = picture.width() <= room.width() && picture.height() <= room.height()
                        && (picture.width() >= room.width() - 1 || picture.height() == room.height());
    if (!fitted) {
        // Between a resize and the next picture: the last one scaled, keeping its shape.
        return fitPicture(room, double(picture.width()) / picture.height());
    }
    return QRect(QPoint((room.width() - picture.width()) / 2, (room.height() - picture.height()) / 2), picture);
}

void VideoRendererWindow::paintEvent(QPaintEvent* event)
{
    if (gl_)
        return;  // the OpenGL output covers the window
    QPainter painter(this);
    const QImage picture = sink_->picture();
    const QRect target = pictureTarget(size(), picture.size());
    // Only the bars around the picture are painted black; the picture covers the rest.
    for (const QRect& bar : QRegion(event->rect()).subtracted(QRegion(target)))
        painter.fillRect(bar, Qt::black);
    if (!target.isEmpty()) {
        platform::TraceStart("first picture painted");
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (target.size() == picture.size())
            painter.drawImage(target.topLeft(), picture);
        else
            painter.drawImage(target, picture);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (overlay_)
        overlay_(painter);
}

// Input on the picture arrives as the drain's input, at the drain's coordinates.
bool VideoRendererWindow::forward(QEvent* event)
{
    QWidget* drain = drain_;
    if (!drain || drain == this)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPointF global = e->globalPosition();
        QMouseEvent copy(e->type(), drain->mapFromGlobal(global), global, e->button(), e->buttons(),
                         e->modifiers());
        QCoreApplication::sendEvent(drain, &copy);
        return true;
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        const QPointF global = e->globalPosition();
        QWheelEvent copy(drain->mapFromGlobal(global), global, e->pixelDelta(), e->angleDelta(), e->buttons(),
                         e->modifiers(), e->phase(), e->inverted());
        QCoreApplication::sendEvent(drain, &copy);
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), ushort(e->count()));
        QCoreApplication::sendEvent(drain, &copy);
        return true;
    }
    case QEvent::ContextMenu: {
        auto* e = static_cast<QContextMenuEvent*>(event);
        QContextMenuEvent copy(e->reason(), drain->mapFromGlobal(e->globalPos()), e->globalPos(), e->modifiers());
        QCoreApplication::sendEvent(drain, &copy);
        return true;
    }
    default:
        return false;
    }
}

bool VideoRendererWindow::event(QEvent* event)
{
    if (forward(event))
        return true;
    return QWidget::event(event);
}

}  // namespace media
