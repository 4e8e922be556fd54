#include "platform/dvd/DvdPlayer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

#include <chrono>
#include <vector>
#include <thread>

namespace dvd {
namespace {

constexpr double kTick = 1.0 / 90000.0;
// How much compressed data may wait in front of the decoders.
constexpr size_t kMaxQueuedBytes = 6 * 1024 * 1024;
constexpr size_t kMaxQueuedPackets = 400;
// How far ahead of what is shown the navigator may read, in seconds. Kept short, so that what the
// navigator reports (chapter, time, buttons) and where its commands start from is what the user
// sees.
constexpr double kMaxAhead = 0.8;
// Where a new run starts on the timeline: just after the clock, so that its first picture shows
// at once.
constexpr double kLead = 0.1;

media::CodecContextPtr OpenCodec(AVCodecID id, const std::function<void(AVCodecContext*)>& setUp = {})
{
    const AVCodec* codec = avcodec_find_decoder(id);
    if (!codec)
        return nullptr;
    media::CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return nullptr;
    context->pkt_timebase = AVRational{1, 90000};
    if (setUp)
        setUp(context.get());
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

}  // namespace

DvdPlayer::DvdPlayer(media::EventQueue& events, std::shared_ptr<media::VideoSink> window, bool audioDevice)
    : events_(events)
    , overlay_(std::make_shared<SubpictureSink>(std::move(window), clock_))
    , audioDevice_(audioDevice)
{
    overlay_->onPresented = [this] { releaseDueEvents(); };
}

DvdPlayer::~DvdPlayer()
{
    stop();
    if (spuCodec_)
        avcodec_free_context(&spuCodec_);
}

HRESULT DvdPlayer::open(uint32_t& failedStreams)
{
    failedStreams = 0;
    auto video = OpenCodec(AV_CODEC_ID_MPEG2VIDEO);
    if (!video)
        return VFW_E_DVD_DECNOTENOUGH;
    videoDecoder_ = std::make_unique<media::Decoder>(std::move(video), kTick, 0.0, 0.04, videoPackets_, videoFrames_);
    videoAssembler_ = std::make_unique<EsAssembler>(AV_CODEC_ID_MPEG2VIDEO);

    auto openAudio = [this](AudioPath& path, AVCodecID id, const std::function<void(AVCodecContext*)>& setUp = {}) {
        auto codec = OpenCodec(id, setUp);
        if (!codec)
            return false;
        path.packets = std::make_unique<media::PacketQueue>();
        path.decoder = std::make_unique<media::Decoder>(std::move(codec), kTick, 0.0, 0.0, *path.packets, audioFrames_);
        path.assembler = id == AV_CODEC_ID_PCM_DVD ? nullptr : std::make_unique<EsAssembler>(id);
        return true;
    };
    bool soundOk = openAudio(ac3_, AV_CODEC_ID_AC3);
    openAudio(dts_, AV_CODEC_ID_DTS);
    soundOk = openAudio(mpa_, AV_CODEC_ID_MP2) && soundOk;
    // LPCM as most discs carry it: 48 kHz, 16 bits, stereo.
    openAudio(lpcm_, AV_CODEC_ID_PCM_DVD, [](AVCodecContext* c) {
        c->sample_rate = 48000;
        c->bits_per_coded_sample = 16;
        av_channel_layout_default(&c->ch_layout, 2);
    });
    if (!soundOk)
        failedStreams |= AM_DVD_STREAM_AUDIO;

    // Sub-pictures: the decoder's palette is set to the sixteen entry numbers themselves, so that
    // each decoded value tells which colour-table entry the disc chose for it; the overlay applies
    // the disc's own colours (and the highlight's) afterwards.
    const AVCodec* spu = avcodec_find_decoder(AV_CODEC_ID_DVD_SUBTITLE);
    spuCodec_ = spu ? avcodec_alloc_context3(spu) : nullptr;
    if (spuCodec_) {
        spuCodec_->pkt_timebase = AVRational{1, 90000};
        QByteArray palette;
        for (int i = 0; i < 16; ++i)
            palette += (i ? "," : "") + QByteArray::number(i, 16).rightJustified(6, '0');
        AVDictionary* options = nullptr;
        av_dict_set(&options, "palette", palette.constData(), 0);
        if (avcodec_open2(spuCodec_, spu, &options) < 0)
            avcodec_free_context(&spuCodec_);
        av_dict_free(&options);
    }
    if (!spuCodec_)
        failedStreams |= AM_DVD_STREAM_SUBPIC;
    spuAssembler_ = std::make_unique<EsAssembler>(AV_CODEC_ID_DVD_SUBTITLE);

    videoRenderer_ = std::make_unique<media::VideoRenderer>(videoFrames_, clock_, overlay_);
    audioRenderer_ = std::make_unique<media::AudioRenderer>(audioFrames_, clock_);
    audioRenderer_->open(48000, audioDevice_);
    return failedStreams ? S_FALSE : S_OK;
}

void DvdPlayer::start()
{
    if (started_ || !videoDecoder_)
        return;
    started_ = true;
    videoDecoder_->start();
    for (AudioPath* path : {&ac3_, &dts_, &mpa_, &lpcm_})
        if (path->decoder)
            path->decoder->start();
    videoRenderer_->start(720, 576);
    videoRenderer_->showFirstOf(0);
}

void DvdPlayer::stop()
{
    if (!started_)
        return;
    started_ = false;
    audioFrames_.abort();
    if (audioRenderer_)
        audioRenderer_->close();
    if (videoRenderer_)
        videoRenderer_->stop();
    if (videoDecoder_)
        videoDecoder_->stop();
    for (AudioPath* path : {&ac3_, &dts_, &mpa_, &lpcm_})
        if (path->decoder)
            path->decoder->stop();
}

void DvdPlayer::setPaused(bool paused)
{
    clock_.setPaused(paused);
    if (videoRenderer_)
        videoRenderer_->setPaused(paused);
    if (audioRenderer_)
        audioRenderer_->setPaused(paused);
}

void DvdPlayer::setVolume(int32_t volume)
{
    if (audioRenderer_)
        audioRenderer_->setVolume(volume);
}

void DvdPlayer::setBalance(int32_t balance)
{
    if (audioRenderer_)
        audioRenderer_->setBalance(balance);
}

DvdPlayer::AudioPath* DvdPlayer::audioFor(EsKind kind)
{
    switch (kind) {
    case EsKind::Ac3: return &ac3_;
    case EsKind::Dts: return &dts_;
    case EsKind::Mpa: return &mpa_;
    case EsKind::Lpcm: return &lpcm_;
    default: return nullptr;
    }
}

int64_t DvdPlayer::timeline(const EsPayload& payload)
{
    if (payload.pts < 0)
        return -1;
    if (!based_) {
        based_ = true;
        offset_ = int64_t((clock_.get() + kLead) * 90000.0) - payload.pts;
        lastVideoPts_ = payload.kind == EsKind::Video ? payload.pts : -1;
    } else if (payload.kind == EsKind::Video) {
        // Within a run the disc's timestamps may still start again (a new cell): keep going on.
        if (lastVideoPts_ >= 0 && (payload.pts < lastVideoPts_ - 90000 || payload.pts > lastVideoPts_ + 5 * 90000))
            offset_ = lastVideoPts_ + offset_ + 3600 - payload.pts;
        lastVideoPts_ = payload.pts;
    }
    return payload.pts + offset_;
}

void DvdPlayer::onPayload(const EsPayload& payload, int serial)
{
    releaseDueEvents();
    if (serial != serial_) {
        serial_ = serial;
        based_ = false;
    }
    const int64_t pts = timeline(payload);
    const int64_t dts = payload.dts >= 0 && pts >= 0 ? payload.dts + offset_ : -1;
    switch (payload.kind) {
    case EsKind::Video:
        if (pts >= 0)
            queuedUntil_ = double(pts) * kTick;
        videoAssembler_->feed(payload.data, payload.size, pts, dts, [this](AVPacket* p) { videoPackets_.put(p); });
        break;
    case EsKind::Ac3:
    case EsKind::Dts:
    case EsKind::Mpa:
    case EsKind::Lpcm: {
        AudioPath* path = audioFor(payload.kind);
        if (!path || !path->decoder)
            break;
        audioKind_ = payload.kind;
        if (path->assembler) {
            path->assembler->feed(payload.data, payload.size, pts, dts, [path](AVPacket* p) { path->packets->put(p); });
        } else {
            AVPacket* packet = av_packet_alloc();
            if (packet && av_new_packet(packet, int(payload.size)) == 0) {
                memcpy(packet->data, payload.data, payload.size);
                packet->pts = pts >= 0 ? pts : AV_NOPTS_VALUE;
                path->packets->put(packet);
            }
            av_packet_free(&packet);
        }
        break;
    }
    case EsKind::Subpicture:
        spuAssembler_->feed(payload.data, payload.size, pts, dts,
                            [this, serial](AVPacket* p) { decodeSubpicture(p, serial); });
        break;
    default:
        break;
    }
}

void DvdPlayer::decodeSubpicture(AVPacket* packet, int serial)
{
    if (!spuCodec_)
        return;
    AVSubtitle subtitle{};
    int got = 0;
    if (avcodec_decode_subtitle2(spuCodec_, &subtitle, &got, packet) >= 0 && got) {
        const double base = packet->pts != AV_NOPTS_VALUE ? double(packet->pts) * kTick : clock_.get();
        for (unsigned i = 0; i < subtitle.num_rects; ++i) {
            const AVSubtitleRect* rect = subtitle.rects[i];
            if (rect->type != SUBTITLE_BITMAP || rect->w <= 0 || rect->h <= 0 || !rect->data[0] || !rect->data[1])
                continue;
            Subpicture s;
            s.x = rect->x;
            s.y = rect->y;
            s.width = rect->w;
            s.height = rect->h;
            s.values.resize(size_t(rect->w) * size_t(rect->h));
            for (int y = 0; y < rect->h; ++y)
                for (int x = 0; x < rect->w; ++x)
                    s.values[size_t(y) * size_t(rect->w) + size_t(x)] = rect->data[0][y * rect->linesize[0] + x] & 3;
            const auto* entries = reinterpret_cast<const uint32_t*>(rect->data[1]);
            for (int v = 0; v < 4; ++v) {
                s.colour[size_t(v)] = uint8_t(entries[v] & 0x0F);
                s.contrast[size_t(v)] = uint8_t((entries[v] >> 24) / 17);
            }
            s.start = base + subtitle.start_display_time / 1000.0;
            s.end = subtitle.end_display_time > 0 && subtitle.end_display_time < 0x7FFFFFFF
                        ? base + subtitle.end_display_time / 1000.0
                        : 1e300;
            s.forced = rect->flags & AV_SUBTITLE_FLAG_FORCED;
            s.serial = serial;
            overlay_->addSubpicture(std::move(s));
        }
        avsubtitle_free(&subtitle);
    }
    av_packet_unref(packet);
}

void DvdPlayer::onFlush(int serial)
{
    serial_ = serial;
    based_ = false;
    videoAssembler_->reset();
    spuAssembler_->reset();
    videoPackets_.flush(serial);
    for (AudioPath* path : {&ac3_, &dts_, &mpa_, &lpcm_}) {
        if (path->packets)
            path->packets->flush(serial);
        if (path->assembler)
            path->assembler->reset();
    }
    videoFrames_.flush(serial);
    audioFrames_.flush(serial);
    clock_.set(clock_.get(), serial);
    queuedUntil_ = clock_.get();
    {
        // The times of the place left behind are never shown.
        std::lock_guard lock(heldMutex_);
        held_.clear();
    }
    overlay_->flush(serial);
    if (videoRenderer_)
        videoRenderer_->showFirstOf(serial);
}

void DvdPlayer::onStill(int)
{
    // The decoder holds the last picture back until it sees the next one: end the stream for it
    // so that the still picture comes out now.
    videoAssembler_->feed(nullptr, 0, -1, -1, [this](AVPacket* p) { videoPackets_.put(p); });
    videoPackets_.putEnd();
}

void DvdPlayer::onHighlight(const Highlight& highlight)
{
    overlay_->setHighlight(highlight);
}

void DvdPlayer::onColourTable(const std::array<uint32_t, 16>& table)
{
    overlay_->setColourTable(table);
}

void DvdPlayer::onPictureFormat(int width, int height, bool)
{
    overlay_->setPictureSize(width, height);
}

void DvdPlayer::onEvent(int32_t code, LONG_PTR param1, LONG_PTR param2)
{
    // The sub-picture display follows the navigator's display flag (menus show their own forced
    // sub-pictures whatever it says).
    if (code == EC_DVD_SUBPICTURE_STREAM_CHANGE)
        overlay_->setShown(param2 != 0);
    if (code == EC_DVD_CURRENT_HMSF_TIME || code == EC_DVD_CURRENT_TIME) {
        {
            std::lock_guard lock(heldMutex_);
            // The navigator reads ahead of the picture: this time is shown with the next picture
            // after those already read.
            held_.push_back({queuedUntil_.load(), code, param1, param2});
            while (held_.size() > 8)
                held_.pop_front();
        }
        releaseDueEvents();
        return;
    }
    events_.put(code, param1, param2);
}

void DvdPlayer::releaseDueEvents() const
{
    std::vector<HeldEvent> due;
    {
        std::lock_guard lock(heldMutex_);
        const double now = clock_.get();
        while (!held_.empty() && held_.front().at <= now) {
            due.push_back(held_.front());
            held_.pop_front();
        }
    }
    for (const HeldEvent& e : due)
        events_.put(e.code, e.param1, e.param2);
}

void DvdPlayer::drain(const std::function<bool()>& abandon)
{
    // Up to a second for the queued sound and pictures to play out.
    for (int i = 0; i < 100 && !abandon(); ++i) {
        size_t waiting = videoPackets_.count();
        for (AudioPath* path : {&ac3_, &dts_, &mpa_, &lpcm_})
            if (path->packets)
                waiting += path->packets->count();
        if (waiting == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool DvdPlayer::full() const
{
    releaseDueEvents();
    if (queuedUntil_.load() - clock_.get() > kMaxAhead)
        return true;
    size_t bytes = videoPackets_.bytes();
    size_t packets = videoPackets_.count();
    for (const AudioPath* path : {&ac3_, &dts_, &mpa_, &lpcm_}) {
        if (path->packets) {
            bytes += path->packets->bytes();
            packets += path->packets->count();
        }
    }
    return bytes > kMaxQueuedBytes || packets > kMaxQueuedPackets;
}

}  // namespace dvd
