#pragma once
// What the screen shows of the panel: screenshots, and a red stand-in for the desktop behind it.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <memory>

namespace paneltest {

// The screen's pixels in `area` (global coordinates).
QImage Screen(const QRect& area);
// A frameless red window kept below the others over `area`: what shows through the panel's outline.
std::unique_ptr<QWidget> RedDesktop(const QRect& area);
// Colours equal within `tolerance` on each channel.
bool Near(const QColor& a, const QColor& b, int tolerance = 8);

}  // namespace paneltest
