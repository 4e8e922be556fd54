#pragma once
// The running part of a file graph: source (libavformat or the MIDI synthesiser), decoders and
// renderers with their queues, the playback clock, state, rate, seeking and end-of-stream.
//
// Built and driven from the UI thread; its threads report through `notify`, which must be
// thread-safe (the graph's event queue). Serials: every seek takes a new serial, under which the
// queues are flushed and the clock set, so that nothing decoded before the seek is shown after it.
#include "platform/com/Result.h"
#include "platform/media/AudioRenderer.h"
#include "platform/media/Clock.h"
#include "platform/media/Decoder.h"
#include "platform/media/Demuxer.h"
#include "platform/media/FrameQueue.h"
#include "platform/media/MidiSource.h"
#include "platform/media/PacketQueue.h"
#include "platform/media/Types.h"
#include "platform/media/VideoRenderer.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>

namespace media {

struct PlaybackOptions {
    std::shared_ptr<VideoSink> videoSink;  // where pictures go; null: nowhere
    bool audioDevice = true;               // false: sound is consumed, never played
    bool audio = true;                     // false: the sound stream is left out
    bool freeRun = false;                  // pictures shown as fast as they decode
};

// What the graph tells about each stream (filter and pin names, media descriptions).
struct StreamInfo {
    bool present = false;
    QString codecName;    // e.g. "MPEG-4 part 2"
    QString description;  // e.g. "Video: mpeg4 320x240 25 fps"
};

class Playback {
public:
    using Notify = std::function<void(int32_t code, LONG_PTR param1, LONG_PTR param2)>;

    explicit Playback(Notify notify);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Opens the file and starts the threads, stopped at the start with its first picture ready.
    HRESULT open(const QString& path, const PlaybackOptions& options);

    const StreamInfo& video() const { return video_; }
    const StreamInfo& audio() const { return audio_; }
    bool isMidi() const { return midi_ != nullptr; }
    QString sourceFormat() const { return sourceFormat_; }
    int width() const { return width_; }
    int height() const { return height_; }
    double aspect() const { return aspect_; }
    // The display aspect ratio as a reduced pair, e.g. 4 and 3.
    int aspectX() const { return aspectX_; }
    int aspectY() const { return aspectY_; }
    double frameDuration() const { return frameDuration_; }
    double duration() const { return duration_; }
    bool seekable() const { return seekable_; }
    bool hasAudioDevice() const { return audioRenderer_ && audioRenderer_->hasDevice(); }

    void run();
    void pause();
    void stop();
    FILTER_STATE state() const { return state_; }

    // Seconds from the start; clamped to the duration.
    double position() const;
    void seek(double seconds);
    void setRate(double rate);
    double rate() const { return rate_; }
    void setVolume(int32_t volume);
    void setBalance(int32_t balance);
    bool step(int frames);
    void cancelStep();

    const VideoRenderer* videoRenderer() const { return videoRenderer_.get(); }

private:
    bool probe();
    void ended(bool isVideo, int serial);
    void failed();

    Notify notify_;
    Clock clock_;
    PacketQueue videoPackets_;
    PacketQueue audioPackets_;
    FrameQueue videoFrames_{4};
    FrameQueue audioFrames_{16};
    std::unique_ptr<Demuxer> demuxer_;
    std::unique_ptr<MidiSource> midi_;
    std::unique_ptr<Decoder> videoDecoder_;
    std::unique_ptr<Decoder> audioDecoder_;
    std::unique_ptr<VideoRenderer> videoRenderer_;
    std::unique_ptr<AudioRenderer> audioRenderer_;

    StreamInfo video_;
    StreamInfo audio_;
    QString sourceFormat_;
    int width_ = 0;
    int height_ = 0;
    double aspect_ = 0;
    int aspectX_ = 0;
    int aspectY_ = 0;
    double frameDuration_ = 0.04;
    double duration_ = 0;
    bool seekable_ = false;
    FILTER_STATE state_ = State_Stopped;  // UI thread
    double rate_ = 1.0;                   // UI thread
    bool stepped_ = false;                // UI thread

    mutable std::mutex endMutex_;
    int serial_ = 0;             // protected by endMutex_ (written on the UI thread)
    double seekTarget_ = 0;      // protected by endMutex_
    int videoEnded_ = -1;        // protected by endMutex_
    int audioEnded_ = -1;        // protected by endMutex_
    int completed_ = -1;         // protected by endMutex_
    bool aborted_ = false;       // protected by endMutex_
};

}  // namespace media
