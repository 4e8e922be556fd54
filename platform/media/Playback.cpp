#include "platform/media/Playback.h"

#include "platform/media/FormatLibrary.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>

namespace media {

namespace {

QString codecLongName(const AVCodecContext* ctx)
{
    if (ctx && ctx->codec && ctx->codec->long_name)
        return QString::fromUtf8(ctx->codec->long_name);
    return ctx ? QString::fromUtf8(avcodec_get_name(ctx->codec_id)) : QString();
}

}  // namespace

Playback::Playback(Notify notify) : notify_(std::move(notify))
{
    av_log_set_level(AV_LOG_FATAL);  // damaged input is reported through result codes and events
}

Playback::~Playback()
{
    // Stop the producers before the consumers, every thread before the queues go.
    if (demuxer_)
        demuxer_->stop();
    if (midi_)
        midi_->stop();
    if (videoDecoder_)
        videoDecoder_->stop();
    if (audioDecoder_)
        audioDecoder_->stop();
    if (videoRenderer_)
        videoRenderer_->stop();
    if (audioRenderer_)
        audioRenderer_->close();
}

HRESULT Playback::open(const QString& path, const PlaybackOptions& options)
{
    if (MidiSource::isMidiFile(path)) {
        midi_ = std::make_unique<MidiSource>();
        const HRESULT hr = midi_->open(path);
        if (FAILED(hr)) {
            midi_.reset();
            return hr;
        }
        duration_ = midi_->duration();
        seekable_ = true;
        sourceFormat_ = QStringLiteral("midi");
        audio_ = {true, QStringLiteral("MIDI"),
                  QStringLiteral("Audio: pcm_s16le 44100 Hz stereo (sound font %1)").arg(midi_->soundFont())};
    } else {
        demuxer_ = std::make_unique<Demuxer>();
        HRESULT hr = demuxer_->open(path);
        if (FAILED(hr))
            return hr;
        duration_ = demuxer_->duration();
        seekable_ = demuxer_->seekable();
        sourceFormat_ = demuxer_->formatName();
        const double start = demuxer_->startTime();
        if (AVStream* s = demuxer_->videoStream()) {
            std::string decoding;
            if (CodecContextPtr ctx = openDecoder(s, hardwareDecodingSetting(), &decoding)) {
                const AVRational fps = demuxer_->library()->av_guess_frame_rate(demuxer_->format(), s, nullptr);
                if (fps.num > 0 && fps.den > 0)
                    frameDuration_ = double(fps.den) / fps.num;
                width_ = ctx->width;
                height_ = ctx->height;
                const AVRational sar = demuxer_->library()->av_guess_sample_aspect_ratio(demuxer_->format(), s, nullptr);
                const AVRational pixel = sar.num > 0 && sar.den > 0 ? sar : AVRational{1, 1};
                aspect_ = height_ > 0 ? width_ * av_q2d(pixel) / height_ : 0;
                av_reduce(&aspectX_, &aspectY_, int64_t(width_) * pixel.num, int64_t(height_) * pixel.den, 1 << 20);
                const char* pix = av_get_pix_fmt_name(ctx->pix_fmt);
                video_ = {true, codecLongName(ctx.get()),
                          QStringLiteral("Video: %1 %2x%3 %4 fps %5")
                              .arg(QString::fromUtf8(avcodec_get_name(ctx->codec_id)))
                              .arg(width_)
                              .arg(height_)
                              .arg(1.0 / frameDuration_, 0, 'g', 4)
                              .arg(QString::fromUtf8(pix ? pix : "?"))};
                if (!decoding.empty())
                    video_.description += QStringLiteral(", decoding %1").arg(QString::fromStdString(decoding));
                videoDecoder_ = std::make_unique<Decoder>(std::move(ctx), av_q2d(s->time_base), start, frameDuration_,
                                                          videoPackets_, videoFrames_);
            }
        }
        if (AVStream* s = demuxer_->audioStream(); s && options.audio) {
            if (CodecContextPtr ctx = openDecoder(s)) {
                audio_ = {true, codecLongName(ctx.get()),
                          QStringLiteral("Audio: %1 %2 Hz %3 channels")
                              .arg(QString::fromUtf8(avcodec_get_name(ctx->codec_id)))
                              .arg(ctx->sample_rate)
                              .arg(ctx->ch_layout.nb_channels)};
                audioDecoder_ = std::make_unique<Decoder>(std::move(ctx), av_q2d(s->time_base), start, 0.0,
                                                          audioPackets_, audioFrames_);
            }
        }
        if (!videoDecoder_ && !audioDecoder_)
            return VFW_E_UNSUPPORTED_STREAM;
        if (duration_ <= 0)
            duration_ = 0;
        if (!probe())
            return VFW_E_INVALID_FILE_FORMAT;
    }

    if (audio_.present) {
        audioRenderer_ = std::make_unique<AudioRenderer>(audioFrames_, clock_);
        audioRenderer_->onEnded = [this](int serial) { ended(false, serial); };
        const int rate = midi_ ? MidiSource::kSampleRate : audioDecoder_->codec()->sample_rate;
        audioRenderer_->open(rate, options.audioDevice);
    }
    if (video_.present) {
        videoRenderer_ = std::make_unique<VideoRenderer>(videoFrames_, clock_, options.videoSink);
        videoRenderer_->setFreeRun(options.freeRun);
        videoRenderer_->onEnded = [this](int serial) { ended(true, serial); };
        videoRenderer_->onSizeChanged = [this](int w, int h) {
            notify_(EC_VIDEO_SIZE_CHANGED, LONG_PTR((uint32_t(h) << 16) | (uint32_t(w) & 0xffff)), 0);
        };
        videoRenderer_->onStepComplete = [this] { notify_(EC_STEP_COMPLETE, 0, 0); };
    }
    auto onFailure = [this](int) { failed(); };
    if (demuxer_) {
        demuxer_->onFailure = onFailure;
        if (videoDecoder_)
            videoDecoder_->onFailure = onFailure;
        if (audioDecoder_)
            audioDecoder_->onFailure = onFailure;
    }

    clock_.set(0, 0);
    clock_.setPaused(true);
    if (demuxer_)
        demuxer_->start(videoDecoder_ ? &videoPackets_ : nullptr, audioDecoder_ ? &audioPackets_ : nullptr);
    if (midi_)
        midi_->start(&audioFrames_);
    if (videoDecoder_)
        videoDecoder_->start();
    if (audioDecoder_)
        audioDecoder_->start();
    if (videoRenderer_) {
        videoRenderer_->showFirstOf(0);
        videoRenderer_->start(width_, height_);
    }
    return S_OK;
}

// Decodes the first packets until a picture or a sound comes out: a file in which nothing decodes
// (cut short before its first frame, or noise taken for a format) is no medium. The packets read
// stay queued for playback and the decoders are reset, so playback starts from the beginning.
bool Playback::probe()
{
    constexpr int kMaxPackets = 300;
    AVFormatContext* format = demuxer_->format();
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool decoded = false;
    bool atEnd = false;
    auto tryDecode = [&](Decoder* decoder, const AVPacket* data) {
        if (avcodec_send_packet(decoder->codec(), data) < 0 && data)
            return;
        while (avcodec_receive_frame(decoder->codec(), frame) == 0) {
            decoded = true;
            av_frame_unref(frame);
        }
    };
    for (int read = 0; read < kMaxPackets && !decoded && !atEnd; ++read) {
        if (demuxer_->library()->av_read_frame(format, packet) < 0) {
            atEnd = true;
            break;
        }
        Decoder* decoder = nullptr;
        PacketQueue* queue = nullptr;
        if (videoDecoder_ && packet->stream_index == demuxer_->videoStream()->index) {
            decoder = videoDecoder_.get();
            queue = &videoPackets_;
        } else if (audioDecoder_ && packet->stream_index == demuxer_->audioStream()->index) {
            decoder = audioDecoder_.get();
            queue = &audioPackets_;
        }
        if (decoder) {
            tryDecode(decoder, packet);
            queue->put(packet);
        }
        av_packet_unref(packet);
    }
    for (Decoder* decoder : {videoDecoder_.get(), audioDecoder_.get()}) {
        if (decoder && atEnd && !decoded)
            tryDecode(decoder, nullptr);  // a short file: what the decoder still holds
        if (decoder)
            avcodec_flush_buffers(decoder->codec());
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    return decoded;
}

void Playback::ended(bool isVideo, int serial)
{
    std::lock_guard lock(endMutex_);
    (isVideo ? videoEnded_ : audioEnded_) = serial;
    const bool all = (!video_.present || videoEnded_ == serial) && (!audio_.present || audioEnded_ == serial);
    if (all && serial == serial_ && completed_ != serial && !aborted_) {
        completed_ = serial;
        notify_(EC_COMPLETE, S_OK, 0);
    }
}

void Playback::failed()
{
    {
        std::lock_guard lock(endMutex_);
        if (aborted_)
            return;
        aborted_ = true;
    }
    notify_(EC_ERRORABORT, E_FAIL, 0);
}

void Playback::run()
{
    if (stepped_) {
        stepped_ = false;
        seek(position());  // the sound catches up with the pictures shown frame by frame
    }
    state_ = State_Running;
    clock_.setPaused(false);
    if (audioRenderer_)
        audioRenderer_->setPaused(false);
    if (videoRenderer_)
        videoRenderer_->setPaused(false);
}

void Playback::pause()
{
    state_ = State_Paused;
    clock_.setPaused(true);
    if (audioRenderer_)
        audioRenderer_->setPaused(true);
    if (videoRenderer_)
        videoRenderer_->setPaused(true);
}

void Playback::stop()
{
    pause();
    cancelStep();
    state_ = State_Stopped;
}

double Playback::position() const
{
    double at = 0;
    {
        std::lock_guard lock(endMutex_);
        at = clock_.serial() == serial_ ? clock_.get() : seekTarget_;
    }
    if (duration_ > 0)
        at = std::min(at, duration_);
    return std::max(at, 0.0);
}

void Playback::seek(double seconds)
{
    const double target = std::clamp(seconds, 0.0, duration_ > 0 ? duration_ : seconds);
    int serial = 0;
    {
        std::lock_guard lock(endMutex_);
        serial = ++serial_;
        seekTarget_ = target;
        aborted_ = false;
    }
    clock_.set(target, serial);
    videoFrames_.flush(serial);
    audioFrames_.flush(serial);
    if (videoDecoder_)
        videoDecoder_->skipBefore(serial, target);
    if (audioDecoder_)
        audioDecoder_->skipBefore(serial, target);
    if (videoRenderer_)
        videoRenderer_->showFirstOf(serial);
    if (demuxer_)
        demuxer_->seek(target, serial);
    if (midi_)
        midi_->seek(target, serial);
}

void Playback::setRate(double rate)
{
    rate_ = rate;
    clock_.setSpeed(rate);
    if (audioRenderer_)
        audioRenderer_->setRate(rate);
}

void Playback::setVolume(int32_t volume)
{
    if (audioRenderer_)
        audioRenderer_->setVolume(volume);
}

void Playback::setBalance(int32_t balance)
{
    if (audioRenderer_)
        audioRenderer_->setBalance(balance);
}

bool Playback::step(int frames)
{
    if (!videoRenderer_ || state_ != State_Paused || frames <= 0)
        return false;
    stepped_ = true;
    videoRenderer_->step(frames);
    return true;
}

void Playback::cancelStep()
{
    if (videoRenderer_)
        videoRenderer_->cancelStep();
}

}  // namespace media
