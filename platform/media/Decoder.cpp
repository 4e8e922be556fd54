#include "platform/media/Decoder.h"

#include "platform/system/StartTrace.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

#include <cmath>

namespace media {

void CodecContextDeleter::operator()(AVCodecContext* ctx) const
{
    avcodec_free_context(&ctx);
}

namespace {

CodecContextPtr openDecoder(const AVCodecParameters* parameters, AVRational timeBase, HardwareDecoding hardware,
                            std::string* note)
{
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec)
        return {};
    CodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), parameters) < 0)
        return {};
    ctx->pkt_timebase = timeBase;
    ctx->thread_count = 0;  // as many as libavcodec finds useful
    std::string why;
    const bool video = parameters->codec_type == AVMEDIA_TYPE_VIDEO;
    const bool attached = video && hardware == HardwareDecoding::Vaapi && attachVaapi(ctx.get(), codec, why);
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) {
        if (!attached)
            return {};
        std::string ignored;
        if (note)
            *note = "software: the decoder would not open with VA-API";
        return openDecoder(parameters, timeBase, HardwareDecoding::Off, &ignored);
    }
    if (note && video && hardware == HardwareDecoding::Vaapi)
        *note = attached ? "VA-API" : "software: " + why;
    return ctx;
}

}  // namespace

CodecContextPtr openDecoder(const AVStream* stream, HardwareDecoding hardware, std::string* note)
{
    return openDecoder(stream->codecpar, stream->time_base, hardware, note);
}

Decoder::Decoder(CodecContextPtr codec, double timeBase, double startTime, double frameDuration,
                 PacketQueue& in, FrameQueue& out)
    : codec_(std::move(codec)), timeBase_(timeBase), startTime_(startTime), frameDuration_(frameDuration),
      in_(in), out_(out)
{
    if (codec_ && codec_->hw_device_ctx) {
        parameters_ = avcodec_parameters_alloc();
        if (parameters_ && avcodec_parameters_from_context(parameters_, codec_.get()) < 0)
            avcodec_parameters_free(&parameters_);
    }
}

Decoder::~Decoder()
{
    stop();
    avcodec_parameters_free(&parameters_);
}

// The hardware let a picture down: the same stream from here on in software. False when even
// that cannot be opened (the old codec is kept, and its failures count as usual).
bool Decoder::toSoftware()
{
    if (!parameters_)
        return false;
    std::string ignored;
    CodecContextPtr software = openDecoder(parameters_, codec_->pkt_timebase, HardwareDecoding::Off, &ignored);
    avcodec_parameters_free(&parameters_);
    if (!software)
        return false;
    codec_ = std::move(software);
    return true;
}

void Decoder::start()
{
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
}

void Decoder::stop()
{
    in_.abort();
    out_.abort();
    if (thread_.joinable())
        thread_.join();
}

void Decoder::skipBefore(int serial, double target)
{
    std::lock_guard lock(skipMutex_);
    skipSerial_ = serial;
    skipTarget_ = target;
}

// Pushes every frame the codec has ready; false once the output queue is aborted.
bool Decoder::receiveFrames(int serial)
{
    FramePtr frame = allocFrame();
    for (;;) {
        const int ret = avcodec_receive_frame(codec_.get(), frame.get());
        if (ret < 0)
            return true;
        if (!downloadFrame(frame.get())) {
            av_frame_unref(frame.get());
            if (toSoftware())
                return true;  // the packets from the next key frame on decode in software
            continue;
        }
        failures_ = 0;
        if (codec_->codec_type == AVMEDIA_TYPE_VIDEO)
            platform::TraceStart("first picture decoded");
        double duration = frameDuration_;
        if (codec_->codec_type == AVMEDIA_TYPE_AUDIO && frame->sample_rate > 0)
            duration = double(frame->nb_samples) / frame->sample_rate;
        double pts = nextPts_;
        if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
            pts = double(frame->best_effort_timestamp) * timeBase_ - startTime_;
        nextPts_ = pts + duration;
        bool skip = false;
        {
            std::lock_guard lock(skipMutex_);
            skip = serial == skipSerial_ && pts + duration < skipTarget_;
        }
        if (skip) {
            av_frame_unref(frame.get());
            continue;
        }
        DecodedFrame out;
        out.frame = std::move(frame);
        out.serial = serial;
        out.pts = pts;
        out.duration = duration;
        if (!out_.push(std::move(out)))
            return false;
        frame = allocFrame();
        if (!frame)
            return false;
    }
}

void Decoder::run()
{
    AVPacket* packet = av_packet_alloc();
    int currentSerial = -1;
    for (;;) {
        int serial = 0;
        if (in_.get(packet, serial, true) < 0)
            break;
        if (serial != currentSerial) {
            avcodec_flush_buffers(codec_.get());
            currentSerial = serial;
            failures_ = 0;
        }
        if (!packet->data) {
            // End of stream: drain what the codec holds, then reset it for a later seek.
            avcodec_send_packet(codec_.get(), nullptr);
            if (!receiveFrames(serial))
                break;
            avcodec_flush_buffers(codec_.get());
            out_.markFinished(serial);
            continue;
        }
        int ret = avcodec_send_packet(codec_.get(), packet);
        if (ret == AVERROR(EAGAIN)) {
            if (!receiveFrames(serial))
                break;
            ret = avcodec_send_packet(codec_.get(), packet);
        }
        if (ret < 0 && ret != AVERROR(EAGAIN) && ++failures_ >= kFailureRun && !failed_) {
            failed_ = true;
            if (onFailure)
                onFailure(ret);
        }
        if (!receiveFrames(serial))
            break;
    }
    av_packet_free(&packet);
}

}  // namespace media
