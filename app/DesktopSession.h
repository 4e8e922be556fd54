#pragma once
// What the program adapts to the desktop session it starts in: the display platform Qt is given,
// and the forms in which a desktop names a medium on the command line.
#include <QByteArray>
#include <QString>

// The Qt platform to force for a session, or empty to leave Qt's choice: under Wayland with an X
// server beside it (XWayland), "xcb", since the shaped panel needs X11 window shapes; nothing when
// the user chose a platform (QT_QPA_PLATFORM) or there is no X server to reach.
QByteArray PlatformForSession(const QByteArray& chosenPlatform, const QByteArray& waylandDisplay,
                              const QByteArray& sessionType, const QByteArray& x11Display);

// Applies PlatformForSession to this process's environment; called before the QApplication exists.
void ChooseDisplayPlatform();

// A medium as the program takes it: a file:// address becomes its path; an audio CD the desktop
// names by its cdda:// address or by the file-system view of it (…/gvfs/cdda:host=sr0) becomes its
// device (/dev/sr0). Anything else is returned as it is.
QString LocalMedium(const QString& argument);
