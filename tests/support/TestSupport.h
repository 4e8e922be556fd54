#pragma once
// Shared helpers for the test suite: where the generated media live, waiting on the event loop,
// and reading what the window system sees of a window.
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

class QWidget;

namespace testsupport {

// Folder of the generated test media (see tools/gen-media.sh); empty when unknown.
QString mediaDir();
// Path of one generated medium, e.g. media("dvd/VIDEO_TS") or media("files/tone440.wav").
QString media(const QString& relative);
// Folder holding the built program and its data files.
QString binDir();

// A settings folder for a started program: config.dat names `drive` (the drive question of a first
// start is not asked then). Returns the folder's path with its trailing slash.
QString prepareSettings(const QString& folder, const QString& drive = QString());

// How many times longer than usual the machine may take to answer: VISTREL_TEST_TIME_SCALE, set by
// the sanitizer runs, whose instrumented programs are several times slower (1 otherwise).
int timeScale();

// Runs the event loop until pred() holds or the time-out (times timeScale()) passes; returns pred().
bool waitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Runs the event loop for exactly `time` (not scaled): letting playback run on, a repeat go by.
void pumpFor(std::chrono::milliseconds time);

// True when a real X display is available (GUI tests skip otherwise).
bool haveX11();
// A window property as the X server holds it (UTF-8 text), e.g. "_NET_WM_NAME" or "WM_CLASS".
QByteArray x11Property(const QWidget* window, const char* property);
// The captions of every top-level window on the display, whichever process owns them; or only
// those of one process (by the _NET_WM_PID its windows carry), as other tests share the display.
QStringList windowCaptions(qint64 pid = 0);

}  // namespace testsupport
