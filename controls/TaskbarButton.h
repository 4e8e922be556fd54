#pragma once
// Showing or hiding a top-level window's taskbar button, through the window manager's
// "skip taskbar" state (X11; XWayland windows included). Elsewhere it does nothing.
class QWidget;

void SetTaskbarButtonVisible(QWidget* window, bool visible);
// What the window manager was last asked for the window (true when nothing was asked).
bool TaskbarButtonVisible(const QWidget* window);
