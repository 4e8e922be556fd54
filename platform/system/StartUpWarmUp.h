#pragma once
// Work the program's start would otherwise do on the UI thread, done beforehand on threads of their
// own; nothing else changes: whoever asks first gets the same thing. Each thread is joined when its
// object goes.
#include <thread>

namespace platform {

// Loads the font configuration (fontconfig: its configuration files and every font folder's
// cache) while Qt starts, so that the splash's first text finds it loaded. Made before Qt.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

// Loads Qt's picture reader plug-ins (GIF, ICO, JPEG...): the first picture read, whatever its
// format, loads them all to ask each whether it reads it. The control panel's first button picture
// finds them loaded. Made once the application object exists.
class PictureReadersWarmUp {
public:
    PictureReadersWarmUp();
    ~PictureReadersWarmUp();
    PictureReadersWarmUp(const PictureReadersWarmUp&) = delete;
    PictureReadersWarmUp& operator=(const PictureReadersWarmUp&) = delete;

private:
    std::thread thread_;
};

}  // namespace platform
