#pragma once
// Loads the font configuration (fontconfig: its configuration files and every font folder's
// cache) on a thread of its own while Qt starts, so that the splash's first text finds it loaded
// instead of waiting for it. Nothing else changes: whoever asks fontconfig first gets the same
// configuration. The thread is joined when this object goes.
#include <thread>

namespace platform {

class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

}  // namespace platform
