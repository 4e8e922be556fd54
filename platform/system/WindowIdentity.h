#pragma once
#include <QString>

class QWidget;

namespace platform {

// What the desktop shows for the application in its task bar: on X11 the class part of each
// top-level window's WM_CLASS, matched with the desktop file of the same name. Window captions stay
// the windows' own (_NET_WM_NAME).
void SetWindowClass(QWidget* window, const QString& instanceName, const QString& className);

}  // namespace platform
