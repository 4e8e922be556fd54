#pragma once
// The program's windows, started once per test process as the program starts them, with message
// boxes recorded instead of shown.
#include "platform/system/MessageBox.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <chrono>
#include <vector>

namespace playertest {

// Starts the window set (once) and shows the panel as the message loop would.
void StartProgram();
// The boxes shown since the last call, oldest first.
std::vector<platform::MessageBoxRequest> TakeMessages();
// Whether the last box was shown under a busy (override) cursor.
bool BusyCursorAtLastMessage();
// Sets the current medium as the panel's chooser would, from a generated medium's relative path.
void ChooseMedium(const QString& relative);
// The picture in the video control's renderer window (null when none).
QImage VideoPicture();
// The colour at a point given in DVD picture pixels (720 x 576).
QColor ColourAt(const QImage& picture, int x, int y);
bool Near(const QColor& c, int r, int g, int b, int tolerance = 45);
bool WaitForVideoColour(int x, int y, int r, int g, int b,
                        std::chrono::milliseconds timeout = std::chrono::seconds(6));
// The captions of the video window.
QString Caption();

}  // namespace playertest
