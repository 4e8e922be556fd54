// Screenshots of the panel and the red desktop behind it.
#include "PanelScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace paneltest {

QImage Screen(const QRect& area)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

std::unique_ptr<QWidget> RedDesktop(const QRect& area)
{
    auto desktop = std::make_unique<QWidget>();
    desktop->setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    desktop->setAutoFillBackground(true);
    QPalette palette = desktop->palette();
    palette.setColor(QPalette::Window, Qt::red);
    desktop->setPalette(palette);
    desktop->setGeometry(area);
    desktop->show();
    return desktop;
}

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace paneltest
