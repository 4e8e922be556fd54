#pragma once
// TDSVideoWindow: the control over which a graph's video is laid. Binding it to a graph (SetGraph)
// points the graph's VideoWindow back at it and, once the graph has a video renderer, makes the
// renderer window a child of this control's parent placed exactly over this control, captioned
// with this control's name, with this control as its message drain: mouse, wheel and key input on
// the picture arrives here as this control's own input. Every resize moves the renderer along.
//
// Full screen lifts the renderer window out of the parent into a frameless, always-on-top window
// covering the screen the control is on; in that state mouse positions are reported in screen
// coordinates and a context-menu request opens PopupMenu at the cursor.
//
// Binding is two-way and not owning. Properties follow the components' pattern: Name() reads,
// SetName(v) writes. Events fire only when assigned.
#include "engine/TDSVideoWindowCanvas.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QMenu;
class TDSGraph;

namespace media {
class VideoRendererWindow;
}

class TDSVideoWindow : public QWidget {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TDSVideoWindow* sender)>;
    // Button, keyboard modifiers, x, y (control pixels; screen pixels in full screen).
    using TMouseEvent =
        std::function<void(TDSVideoWindow* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
    // Buttons held, keyboard modifiers, x, y.
    using TMouseMoveEvent =
        std::function<void(TDSVideoWindow* sender, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y)>;
    // Modifiers, wheel delta (120 a notch, positive away from the user), cursor position on the
    // screen, and whether the handler took the event.
    using TMouseWheelEvent = std::function<void(TDSVideoWindow* sender, Qt::KeyboardModifiers shift, int wheelDelta,
                                                QPoint mousePos, bool& handled)>;
    using TMouseWheelUpDownEvent =
        std::function<void(TDSVideoWindow* sender, Qt::KeyboardModifiers shift, QPoint mousePos, bool& handled)>;
    // The key (a Qt::Key); a handler that sets it to 0 keeps it from going further.
    using TKeyEvent = std::function<void(TDSVideoWindow* sender, int& key, Qt::KeyboardModifiers shift)>;
    using TKeyPressEvent = std::function<void(TDSVideoWindow* sender, QChar& key)>;

    explicit TDSVideoWindow(QWidget* parent = nullptr);
    ~TDSVideoWindow() override;

    // End of loading: records the control's own window style as the base of the renderer's.
    void Loaded();

    TDSGraph* Graph() const { return graph_; }
    // Binds to `value` (or none) and attaches its video output when it has one.
    void SetGraph(TDSGraph* value);

    uint32_t WindowStyle() const { return windowStyle_; }
    uint32_t WindowStyleEx() const { return windowStyleEx_; }
    bool FullScreen() const { return fullScreen_; }

    // Both return false and change nothing when the bound graph has no IVideoWindow.
    bool StartFullScreen();
    bool StopFullScreen();

    // The renderer window among the parent's children captioned with this control's name.
    media::VideoRendererWindow* FindRendererWindow() const;
    // Draws over the picture (see TDSVideoCanvas).
    TDSVideoCanvas& Canvas() { return canvas_; }

    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool HasVideoWindow() const;
    // Puts the renderer window back over this control (owner, styles, bounds), with the caption
    // and the message drain when `first`.
    void AttachRenderer(bool first);
    void PlaceRenderer();
    // Lifts the renderer window out into a frameless window on top, covering the screen.
    void ApplyFullScreen();
    QRect ScreenRect() const;
    QPoint ReportedPosition(const QMouseEvent* event) const;
    void Unbind();
    void GraphDestroyed();

    TDSGraph* graph_ = nullptr;
    QMetaObject::Connection graphGone_;
    uint32_t windowStyle_ = 0;
    uint32_t windowStyleEx_ = 0;
    bool fullScreen_ = false;
    bool clicked_ = false;  // a left press began here; its release is a click
    QMenu* popupMenu_ = nullptr;
    TDSVideoCanvas canvas_;
};
