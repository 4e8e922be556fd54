#pragma once
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace platform {

// How a window is framed, as the window's design gives it.
enum class BorderStyle {
    None,          // no frame, no title bar
    Dialog,        // title bar with a close box, fixed size
    SizeableBare,  // resizable frame, title bar without any buttons
};

// Applies the frame style to a top-level widget (before it is first shown).
void ApplyBorderStyle(QWidget& window, BorderStyle style);
// Sets the client area size (the frame is the window system's business).
void SetClientSize(QWidget& window, int width, int height);
// Moves the window so that its frame is centred on the screen it is on (the primary screen when
// it has none yet).
void CentreOnScreen(QWidget& window);

// A window as designed: caption, frame, client size, and its screen position (the frame's top-left
// corner), or centred on the screen when no position is given.
void DesignWindow(QWidget& window, const QString& caption, BorderStyle style, QSize client,
                  std::optional<QPoint> position = std::nullopt);

}  // namespace platform
