#pragma once
// The file source: opens a file with libavformat, picks its best video and audio streams and,
// on a reader thread, feeds their packets to one PacketQueue each. Seeks are carried out on the
// reader thread; each one flushes the queues under the serial the seek was asked with, and
// starts decoding at or before the key picture the target needs, however the file is indexed.
#include "platform/com/Result.h"
#include "platform/media/PacketQueue.h"
#include "platform/media/SeekRequest.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

struct AVFormatContext;
struct AVPacket;
struct AVStream;

namespace media {

struct FormatLibrary;

class Demuxer {
public:
    Demuxer() = default;
    ~Demuxer();
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;

    // Opens and probes the file (on the calling thread). A failure code says why it cannot play:
    // missing, unreadable, not a medium, or no stream it can use.
    HRESULT open(const QString& path);

    AVStream* videoStream() const { return video_; }
    AVStream* audioStream() const { return audio_; }
    AVFormatContext* format() const { return format_; }
    // libavformat's functions, once open() has found the library.
    const FormatLibrary* library() const { return lib_; }
    QString formatName() const;
    // Seconds; the medium's own start time is taken as 0.
    double duration() const { return duration_; }
    double startTime() const { return startTime_; }
    bool seekable() const;

    // Starts the reader thread feeding the given queues (either may be null).
    void start(PacketQueue* video, PacketQueue* audio);
    // Aborts both queues and joins the thread.
    void stop();
    // Asks the reader to jump to `target` seconds and flush the queues under `serial`.
    void seek(double target, int serial);

    // Called once, from the reader thread, when reading fails before the end of the file.
    std::function<void(int error)> onFailure;

private:
    void run();
    bool queuesFull() const;
    // Seeks so that decoding starts at or before the key picture `target` needs.
    void seekTo(double target, int serial, AVPacket* packet);
    // Queues a packet of a chosen stream (and empties `packet`).
    void dispatch(AVPacket* packet);
    // Waits while there is nothing to read (queues full, file at its end): until a seek or the stop
    // calls, or at most a moment (the queues hold seconds of packets). A short sleep in a loop
    // woke the thread a thousand times a second for nothing.
    void idle();
    void call();

    const FormatLibrary* lib_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVStream* video_ = nullptr;
    AVStream* audio_ = nullptr;
    double duration_ = 0;
    double startTime_ = 0;
    PacketQueue* videoQueue_ = nullptr;
    PacketQueue* audioQueue_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    SeekRequest seekRequest_;
    std::mutex idleMutex_;
    std::condition_variable idle_;
    bool called_ = false;  // under idleMutex_
};

}  // namespace media
