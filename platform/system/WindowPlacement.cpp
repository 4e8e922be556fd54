#include "platform/system/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void ApplyBorderStyle(QWidget& window, BorderStyle style)
{
    Qt::WindowFlags flags;
    switch (style) {
    case BorderStyle::None:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    case BorderStyle::Dialog:
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                | Qt::MSWindowsFixedSizeDialogHint;
        break;
    case BorderStyle::SizeableBare:
        flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        break;
    }
    window.setWindowFlags(flags);
}

void SetClientSize(QWidget& window, int width, int height)
{
    window.resize(width, height);
}

void CentreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize frame = window.frameGeometry().size();
    window.move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

void DesignWindow(QWidget& window, const QString& caption, BorderStyle style, QSize client,
                  std::optional<QPoint> position)
{
    window.setWindowTitle(caption);
    ApplyBorderStyle(window, style);
    SetClientSize(window, client.width(), client.height());
    if (style == BorderStyle::Dialog)
        window.setFixedSize(client);
    if (position)
        window.move(*position);
    else
        CentreOnScreen(window);
}

}  // namespace platform
