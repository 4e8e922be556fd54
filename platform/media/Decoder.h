#pragma once
// A decoder thread: takes packets from a PacketQueue, decodes them with libavcodec and pushes the
// frames, timed in seconds from the start of the medium, into a FrameQueue.
//
// A packet of a new serial resets the codec. After a seek the frames that end before the target
// are dropped, so that playback resumes at the asked time rather than at the key frame before it.
// A long run of packets that fail to decode is a broken stream: reported once through onFailure.
// Pictures decoded by the hardware are brought back to memory here; if that ever fails, the codec
// is opened again in software and decoding goes on from the next key frame.
#include "platform/media/FrameQueue.h"
#include "platform/media/HardwareDecoding.h"
#include "platform/media/PacketQueue.h"

#include <string>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

struct AVCodecContext;
struct AVCodecParameters;
struct AVStream;

namespace media {

struct CodecContextDeleter {
    void operator()(AVCodecContext* ctx) const;
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;

// Opens a decoder for the stream; null when there is no usable decoder. With `hardware` asked
// for, a video decoder gets the VA-API device when it can, software otherwise; `note` then says
// which it is ("VA-API", or "software: " and why).
CodecContextPtr openDecoder(const AVStream* stream, HardwareDecoding hardware = HardwareDecoding::Off,
                            std::string* note = nullptr);

class Decoder {
public:
    // `startTime` (seconds) is subtracted from every timestamp; `frameDuration` is used for
    // pictures that carry no duration of their own (0 for sound, whose frames time themselves).
    Decoder(CodecContextPtr codec, double timeBase, double startTime, double frameDuration, PacketQueue& in,
            FrameQueue& out);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    void start();
    // Aborts both queues and joins the thread.
    void stop();
    // Frames of `serial` that end before `target` seconds are dropped.
    void skipBefore(int serial, double target);
    AVCodecContext* codec() const { return codec_.get(); }

    // Called once, from the decoder thread, with the libav error code of a broken stream.
    std::function<void(int error)> onFailure;

    static constexpr int kFailureRun = 48;  // consecutive undecodable packets that make a broken stream

private:
    void run();
    bool receiveFrames(int serial);
    bool toSoftware();

    CodecContextPtr codec_;
    AVCodecParameters* parameters_ = nullptr;  // of a hardware decoder: to open it again in software
    const double timeBase_;
    const double startTime_;
    const double frameDuration_;
    PacketQueue& in_;
    FrameQueue& out_;
    std::thread thread_;

    std::mutex skipMutex_;
    int skipSerial_ = -1;      // protected by skipMutex_
    double skipTarget_ = 0;    // protected by skipMutex_
    double nextPts_ = 0;       // decoder thread only
    int failures_ = 0;         // decoder thread only
    bool failed_ = false;      // decoder thread only
};

}  // namespace media
