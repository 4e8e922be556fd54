#pragma once
// Work the program's start would otherwise do on the UI thread, done beforehand on a thread of its
// own; nothing else changes: whoever asks first gets the same thing. The thread is joined when
// this object goes.
#include <thread>

namespace platform {

class StartUpWarmUp {
public:
    enum class Work {
        // The font configuration (fontconfig: its configuration files and every font folder's
        // cache), ready for the splash's first text. Made before Qt starts.
        FontConfiguration,
        // Qt's picture reader plug-ins (GIF, ICO, JPEG...): the first picture read, whatever its
        // format, loads them all to ask each whether it reads it. Ready for the control panel's
        // first button picture. Made once the application object exists.
        PictureReaders,
        // FFmpeg's decoding libraries (CodecLibrary), ready for the first medium.
        CodecLibraries,
        // The heap's reserved pages (PopulateHeap), mapped before the windows and the first
        // medium's pictures are allocated in them.
        Heap,
    };

    explicit StartUpWarmUp(Work work);
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

private:
    std::thread thread_;
};

}  // namespace platform
