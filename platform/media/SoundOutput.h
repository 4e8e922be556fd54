#pragma once
// The sound device, as the players use it: 16-bit stereo pulled by SDL2's callback from a fill
// function. Without a device (none can be opened, or none is wanted) a thread of its own pulls the
// same amount of sound at the pace of real time, so a player behaves the same with or without one.
// Starts paused.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace media {

class SoundOutput {
public:
    // Called from the sound thread: write `bytes` bytes of interleaved 16-bit stereo into `out`.
    using Fill = std::function<void(uint8_t* out, int bytes)>;

    SoundOutput() = default;
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Opens the device at (about, when `rateMayChange`) `rate` samples a second; true when a real
    // device was opened. Opening again closes the earlier output first.
    bool open(int rate, bool useDevice, bool rateMayChange, Fill fill);
    // Waits for a running fill to end.
    void close();
    void setPaused(bool paused);

    bool isOpen() const { return open_; }
    bool hasDevice() const { return device_ != 0; }
    int rate() const { return rate_; }
    // The device's own buffer, in bytes (0 without a device).
    int bufferBytes() const { return bufferBytes_; }

private:
    void pullWithoutDevice();

    Fill fill_;
    uint32_t device_ = 0;
    bool sdlStarted_ = false;
    bool open_ = false;
    int rate_ = 44100;
    int bufferBytes_ = 0;
    std::atomic<bool> paused_{true};
    std::atomic<bool> stopNull_{false};
    std::thread nullThread_;
};

// Starts the sound system on a thread of its own while the program starts, so that the first
// medium's device opens without that wait (tens of milliseconds, more with a sound server); it stays
// started until this object goes. An output opened meanwhile waits for the start at most
// `kWarmUpBound`, and goes without a device past that rather than start the system a second time.
class SoundSystemWarmUp {
public:
    SoundSystemWarmUp();
    ~SoundSystemWarmUp();
    SoundSystemWarmUp(const SoundSystemWarmUp&) = delete;
    SoundSystemWarmUp& operator=(const SoundSystemWarmUp&) = delete;

    static constexpr std::chrono::seconds kWarmUpBound{5};

private:
    std::thread thread_;
    bool started_ = false;  // written by the thread, read after joining it
};

}  // namespace media
