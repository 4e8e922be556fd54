#include "engine/TDSVideoWindow.h"

#include "engine/TDSGraph.h"
#include "platform/media/ControlInterfaces.h"
#include "platform/media/VideoRendererWindow.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>

using namespace media;

TDSVideoWindow::TDSVideoWindow(QWidget* parent) : QWidget(parent), canvas_(*this)
{
    resize(160, 120);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(16, 0, 16));
    setPalette(colours);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

TDSVideoWindow::~TDSVideoWindow()
{
    Unbind();
}

void TDSVideoWindow::Loaded()
{
    // The style this control has as a window of its own: a child clipping its siblings and
    // children, shown or not. The renderer window takes it as the base of its own style.
    windowStyle_ = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!isWindow())
        windowStyle_ |= WS_CHILD;
    if (isVisibleTo(parentWidget()))
        windowStyle_ |= WS_VISIBLE;
    windowStyleEx_ = 0;
}

bool TDSVideoWindow::HasVideoWindow() const
{
    return graph_ && graph_->IVideoWindow();
}

void TDSVideoWindow::SetGraph(TDSGraph* value)
{
    Unbind();
    graph_ = value;
    if (!value)
        return;
    value->SetVideoWindow(this);
    graphGone_ = connect(value, &QObject::destroyed, this, [this] { GraphDestroyed(); });
    if (!HasVideoWindow())
        return;
    AttachRenderer(true);
    // A graph bound again while in full screen (a new render) keeps the picture on the whole
    // screen, so that FullScreen keeps telling the truth.
    if (fullScreen_)
        ApplyFullScreen();
}

void TDSVideoWindow::Unbind()
{
    if (!graph_)
        return;
    // Another control may have taken the graph since; its binding is not ours to clear. The
    // renderer window stays as it was.
    if (graph_->VideoWindow() == this)
        graph_->SetVideoWindow<TDSVideoWindow>(nullptr);
    QObject::disconnect(graphGone_);
    graph_ = nullptr;
}

void TDSVideoWindow::GraphDestroyed()
{
    graph_ = nullptr;
    QObject::disconnect(graphGone_);
}

void TDSVideoWindow::AttachRenderer(bool first)
{
    auto window = graph_->IVideoWindow();
    window->put_Owner(parentWidget());
    if (first)
        window->put_Caption(objectName());
    window->put_WindowStyle(windowStyle_ | WS_CHILD | WS_CLIPSIBLINGS);
    window->put_WindowStyleEx(windowStyleEx_);
    window->SetWindowPosition(x(), y(), width(), height());
    if (first)
        window->put_MessageDrain(this);
}

QRect TDSVideoWindow::ScreenRect() const
{
    QScreen* on = screen();
    return on ? on->geometry() : QRect(0, 0, 640, 480);
}

void TDSVideoWindow::PlaceRenderer()
{
    if (!HasVideoWindow())
        return;
    // In full screen the renderer keeps covering the screen whatever the control does.
    const QRect bounds = fullScreen_ ? ScreenRect() : geometry();
    graph_->IVideoWindow()->SetWindowPosition(bounds.x(), bounds.y(), bounds.width(), bounds.height());
}

void TDSVideoWindow::ApplyFullScreen()
{
    auto window = graph_->IVideoWindow();
    window->put_Owner(nullptr);
    window->put_WindowStyle(windowStyle_ & ~(WS_CAPTION | WS_THICKFRAME));
    window->put_WindowStyleEx((windowStyleEx_ & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE |
                                                  WS_EX_DLGMODALFRAME)) |
                              WS_EX_TOPMOST);
    const QRect bounds = ScreenRect();
    window->SetWindowPosition(bounds.x(), bounds.y(), bounds.width(), bounds.height());
}

bool TDSVideoWindow::StartFullScreen()
{
    if (!HasVideoWindow())
        return false;
    ApplyFullScreen();
    fullScreen_ = true;
    return true;
}

bool TDSVideoWindow::StopFullScreen()
{
    if (!HasVideoWindow())
        return false;
    AttachRenderer(false);
    fullScreen_ = false;
    if (QWidget* parent = parentWidget())
        parent->setFocus(Qt::OtherFocusReason);
    return true;
}

media::VideoRendererWindow* TDSVideoWindow::FindRendererWindow() const
{
    return VideoRendererWindow::find(parentWidget(), objectName());
}

void TDSVideoWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceRenderer();
    if (OnResize)
        OnResize(this);
}

void TDSVideoWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    PlaceRenderer();
}

QPoint TDSVideoWindow::ReportedPosition(const QMouseEvent* event) const
{
    // In full screen the picture covers the screen, so its positions are screen positions.
    return fullScreen_ ? event->globalPosition().toPoint() : event->position().toPoint();
}

void TDSVideoWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        clicked_ = true;
    if (OnMouseDown) {
        const QPoint at = ReportedPosition(event);
        OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    }
}

void TDSVideoWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The release that ends a double click is not a click of its own.
    clicked_ = false;
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    if (OnMouseDown) {
        const QPoint at = ReportedPosition(event);
        OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    }
}

void TDSVideoWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = clicked_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        clicked_ = false;
    if (click && OnClick)
        OnClick(this);
    if (OnMouseUp) {
        const QPoint at = ReportedPosition(event);
        OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    }
}

void TDSVideoWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove) {
        const QPoint at = ReportedPosition(event);
        OnMouseMove(this, event->buttons(), event->modifiers(), at.x(), at.y());
    }
}

void TDSVideoWindow::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const QPoint at = event->globalPosition().toPoint();
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, event->modifiers(), delta, at, handled);
    if (!handled) {
        if (delta < 0 && OnMouseWheelDown)
            OnMouseWheelDown(this, event->modifiers(), at, handled);
        else if (delta > 0 && OnMouseWheelUp)
            OnMouseWheelUp(this, event->modifiers(), at, handled);
    }
    // An event no handler took goes on to the parent.
    event->setAccepted(handled);
}

void TDSVideoWindow::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    if (key == 0)
        return;
    // Escape leaves full screen, as the double click and the menu do.
    if (key == Qt::Key_Escape && fullScreen_) {
        StopFullScreen();
        return;
    }
    if (OnKeyPress && !event->text().isEmpty()) {
        QChar ch = event->text().at(0);
        OnKeyPress(this, ch);
        if (ch.isNull())
            return;
    }
    QWidget::keyPressEvent(event);
}

void TDSVideoWindow::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyUp)
        OnKeyUp(this, key, event->modifiers());
    if (key != 0)
        QWidget::keyReleaseEvent(event);
}

void TDSVideoWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (!popupMenu_) {
        event->ignore();
        return;
    }
    // A request from the keyboard carries no pointer position; the cursor tells where to open.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : QCursor::pos();
    popupMenu_->popup(at);
    event->accept();
}

void TDSVideoWindow::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (OnEnter)
        OnEnter(this);
}

void TDSVideoWindow::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (OnExit)
        OnExit(this);
}
