#pragma once
// The audio renderer: pulls decoded sound frames from a FrameQueue, converts them with
// libswresample to 16-bit stereo at the device rate, applies volume and balance, and hands them to
// the SDL2 sound device from its callback. What the device has played sets the playback clock.
//
// Playing at a rate other than 1 resamples the sound so that it lasts 1/rate as long; above twice
// the normal speed the samples are consumed but silenced. Without a sound device the renderer
// consumes the frames at the clock's pace on a thread of its own and leaves the clock alone, so the
// clock runs as a plain monotonic clock.
#include "platform/media/Clock.h"
#include "platform/media/FrameQueue.h"
#include "platform/media/SoundOutput.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

struct SwrContext;

namespace media {

class AudioRenderer {
public:
    AudioRenderer(FrameQueue& in, Clock& clock);
    ~AudioRenderer();
    AudioRenderer(const AudioRenderer&) = delete;
    AudioRenderer& operator=(const AudioRenderer&) = delete;

    // Opens the sound device at (about) `sampleRate`, paused. Without a device (or with
    // `useDevice` false) the null output is used. Returns true when a device was opened.
    bool open(int sampleRate, bool useDevice = true);
    void close();
    bool hasDevice() const { return output_.hasDevice(); }

    void setPaused(bool paused);
    void setRate(double rate);
    // Hundredths of a decibel (-10000 silence .. 0 full) and balance (-10000 left .. 10000 right).
    void setVolume(int32_t volume) { volume_ = volume; }
    void setBalance(int32_t balance) { balance_ = balance; }

    // Called from the audio thread once per serial, when its last sample has been handed over.
    std::function<void(int serial)> onEnded;

    // Fills `out` with `len` bytes of device audio (the device callback and the null output).
    void fill(uint8_t* out, int len);

    static constexpr double kMaxAudibleRate = 2.0;

private:
    bool refill();
    bool convert(const DecodedFrame& frame, double rate);

    FrameQueue& in_;
    Clock& clock_;
    SoundOutput output_;
    std::atomic<bool> paused_{true};
    std::atomic<double> rate_{1.0};
    std::atomic<int32_t> volume_{0};
    std::atomic<int32_t> balance_{0};

    // Audio thread only (device callback or null output thread):
    SwrContext* swr_ = nullptr;
    int swrInRate_ = 0;
    int swrInFormat_ = -1;
    int swrInChannels_ = 0;
    double swrRate_ = 0;
    std::vector<int16_t> buffer_;  // converted samples, interleaved stereo
    size_t bufferPos_ = 0;         // in samples (not frames)
    double bufferEndPts_ = 0;
    int bufferSerial_ = -1;
    int endedSerial_ = -1;
};

}  // namespace media
