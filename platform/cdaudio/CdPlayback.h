#pragma once
// Sound of a disc, played: a reader thread reads the sectors of a play into a bounded buffer and
// the SDL2 sound device (44.1 kHz, 16-bit stereo) pulls them from its callback. The position is
// that of the last sample handed to the device, so it follows what was played, not what was read.
// Without a sound device a thread of its own consumes the sound at the pace of the clock.
//
// Every method is called from one thread (the device's owner); the end of a play is reported from
// the sound thread through `onEnded`.
#include "platform/cdaudio/DiscToc.h"
#include "platform/media/SoundOutput.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace cdaudio {

class CdPlayback {
public:
    enum class State { Stopped, Playing, Paused };

    explicit CdPlayback(SectorSource& source);
    ~CdPlayback();
    CdPlayback(const CdPlayback&) = delete;
    CdPlayback& operator=(const CdPlayback&) = delete;

    // Plays `runs` in order, from the first sector of the first run, paused if asked. Returns the
    // serial number of this play, which `onEnded` reports back.
    uint64_t start(std::vector<SectorRun> runs, bool paused = false);
    void pause();
    void resume();
    // Ends the play where it stands; the position stays.
    void stop();

    State state() const { return state_; }
    uint64_t serial();  // of the last play started
    int64_t position() const { return position_; }
    void setPosition(int64_t sample);  // while stopped
    bool hasDevice() const { return output_.hasDevice(); }

    // From the sound thread, once per play that reaches its end: the play's serial and whether
    // every sector could be read. Not called for a play that was stopped or replaced.
    std::function<void(uint64_t serial, bool complete)> onEnded;

    // Buffered sound kept ahead of the device, in sectors (two seconds).
    static constexpr size_t kBufferSectors = 150;

private:
    struct Chunk {
        int64_t firstSample;
        std::vector<int16_t> samples;  // interleaved stereo
        size_t used = 0;               // in samples of one channel pair
    };

    void openOutput();
    void stopReader();
    void readLoop(std::vector<SectorRun> runs, uint64_t serial);
    void fill(uint8_t* out, int bytes);  // the sound thread

    SectorSource& source_;
    media::SoundOutput output_;
    std::thread reader_;

    std::mutex mutex_;
    std::condition_variable space_;      // the reader waits here for room in the buffer
    std::deque<Chunk> buffer_;           // protected by mutex_
    bool readerDone_ = false;            // protected by mutex_: every sector of the play is in
    bool readFailed_ = false;            // protected by mutex_
    bool stopReading_ = false;           // protected by mutex_
    bool endReported_ = true;            // protected by mutex_
    uint64_t serial_ = 0;                // protected by mutex_
    std::atomic<State> state_{State::Stopped};
    std::atomic<int64_t> position_{0};
};

}  // namespace cdaudio
