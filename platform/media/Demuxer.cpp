#include "platform/media/Demuxer.h"

#include "platform/media/FormatLibrary.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>

namespace media {

Demuxer::~Demuxer()
{
    stop();
    if (lib_)
        lib_->avformat_close_input(&format_);
}

HRESULT Demuxer::open(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return HRESULT_FILE_NOT_FOUND;
    if (!info.isFile())
        return VFW_E_UNKNOWN_FILE_TYPE;
    if (!info.isReadable())
        return E_ACCESSDENIED;
    if (info.size() == 0)
        return VFW_E_INVALID_FILE_FORMAT;

    QString why;
    lib_ = formatLibrary(&why);
    if (!lib_) {
        qWarning("%s", qPrintable(why));
        return VFW_E_CANNOT_RENDER;
    }
    const QByteArray local = QFile::encodeName(path);
    const int opened = lib_->avformat_open_input(&format_, local.constData(), nullptr, nullptr);
    if (opened < 0)
        return opened == AVERROR(EACCES) ? E_ACCESSDENIED : VFW_E_UNKNOWN_FILE_TYPE;
    if (lib_->avformat_find_stream_info(format_, nullptr) < 0)
        return VFW_E_INVALID_FILE_FORMAT;

    const int v = lib_->av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int a = lib_->av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, v >= 0 ? v : -1, nullptr, 0);
    if (v >= 0 && !(format_->streams[v]->disposition & AV_DISPOSITION_ATTACHED_PIC) &&
        format_->streams[v]->codecpar->width > 0)
        video_ = format_->streams[v];
    if (a >= 0 && format_->streams[a]->codecpar->sample_rate > 0)
        audio_ = format_->streams[a];
    if (!video_ && !audio_)
        return VFW_E_UNSUPPORTED_STREAM;
    for (unsigned i = 0; i < format_->nb_streams; ++i)
        if (format_->streams[i] != video_ && format_->streams[i] != audio_)
            format_->streams[i]->discard = AVDISCARD_ALL;

    startTime_ = format_->start_time != AV_NOPTS_VALUE ? double(format_->start_time) / AV_TIME_BASE : 0.0;
    duration_ = format_->duration != AV_NOPTS_VALUE ? double(format_->duration) / AV_TIME_BASE : 0.0;
    return S_OK;
}

QString Demuxer::formatName() const
{
    return format_ && format_->iformat ? QString::fromUtf8(format_->iformat->name) : QString();
}

bool Demuxer::seekable() const
{
    return format_ && format_->pb && (format_->pb->seekable & AVIO_SEEKABLE_NORMAL) && duration_ > 0;
}

void Demuxer::start(PacketQueue* video, PacketQueue* audio)
{
    videoQueue_ = video;
    audioQueue_ = audio;
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
}

void Demuxer::stop()
{
    stop_ = true;
    call();
    if (videoQueue_)
        videoQueue_->abort();
    if (audioQueue_)
        audioQueue_->abort();
    if (thread_.joinable())
        thread_.join();
}

void Demuxer::seek(double target, int serial)
{
    seekRequest_.ask(target, serial);
    call();
}

void Demuxer::idle()
{
    constexpr auto kAtMost = std::chrono::milliseconds(10);
    std::unique_lock lock(idleMutex_);
    idle_.wait_for(lock, kAtMost, [this] { return called_; });
    called_ = false;
}

void Demuxer::call()
{
    {
        std::lock_guard lock(idleMutex_);
        called_ = true;
    }
    idle_.notify_one();
}

bool Demuxer::queuesFull() const
{
    constexpr size_t kMaxBytes = 12 * 1024 * 1024;
    const size_t bytes = (videoQueue_ ? videoQueue_->bytes() : 0) + (audioQueue_ ? audioQueue_->bytes() : 0);
    if (bytes > kMaxBytes)
        return true;
    const bool videoEnough = !videoQueue_ || videoQueue_->count() >= 48;
    const bool audioEnough = !audioQueue_ || audioQueue_->count() >= 96;
    return videoEnough && audioEnough;
}

void Demuxer::run()
{
    AVPacket* packet = av_packet_alloc();
    bool atEnd = false;
    bool failed = false;
    while (!stop_) {
        double target = 0;
        int serial = 0;
        if (seekRequest_.take(target, serial)) {
            seekTo(target, serial, packet);
            atEnd = false;
            failed = false;
        }
        if (atEnd || queuesFull()) {
            idle();
            continue;
        }
        const int ret = lib_->av_read_frame(format_, packet);
        if (ret < 0) {
            if (ret != AVERROR_EOF && !lib_->avio_feof(format_->pb) && ret != AVERROR(EAGAIN) && !failed) {
                failed = true;
                if (onFailure)
                    onFailure(ret);
            }
            if (ret == AVERROR(EAGAIN))
                continue;
            // End of the data (or unreadable from here on): let the decoders drain.
            if (videoQueue_)
                videoQueue_->putEnd();
            if (audioQueue_)
                audioQueue_->putEnd();
            atEnd = true;
            continue;
        }
        dispatch(packet);
    }
    av_packet_free(&packet);
}

void Demuxer::dispatch(AVPacket* packet)
{
    if (video_ && packet->stream_index == video_->index && videoQueue_)
        videoQueue_->put(packet);
    else if (audio_ && packet->stream_index == audio_->index && audioQueue_)
        audioQueue_->put(packet);
    av_packet_unref(packet);
}

// A file without an index (an MPEG program stream) is sought by the timestamps found near the
// target, and lands on whatever packet is there, often after the key picture the target needs:
// decoding would then begin at the next key picture, up to a group of pictures past the target,
// and a paused film would show that later picture. So the packets are read up to the first key
// picture, and while it lies after the target (or none comes before the end) the seek starts
// again further back; the decoder then skips what comes before the target. The packets read
// ahead are kept for playback.
void Demuxer::seekTo(double target, int serial, AVPacket* packet)
{
    constexpr int kMaxTries = 6;         // the last one starts 32 s before the target
    constexpr int kMaxLookAhead = 2000;  // packets read to find the key picture
    double back = 0;
    for (int attempt = 1;; ++attempt) {
        const double from = std::max(target - back, 0.0);
        const int64_t ts = int64_t((from + startTime_) * AV_TIME_BASE);
        lib_->avformat_seek_file(format_, -1, INT64_MIN, ts, ts, 0);
        if (videoQueue_)
            videoQueue_->flush(serial);
        if (audioQueue_)
            audioQueue_->flush(serial);
        if (!video_ || !videoQueue_)
            return;
        PacketQueue ahead;
        double keyAt = -1;   // seconds; negative while unknown
        bool ended = false;  // the end came first: nothing from here on decodes
        for (int read = 0; read < kMaxLookAhead && !stop_ && keyAt < 0; ++read) {
            if (lib_->av_read_frame(format_, packet) < 0) {
                ended = true;
                break;
            }
            const bool key = packet->stream_index == video_->index && (packet->flags & AV_PKT_FLAG_KEY);
            const int64_t stamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (key)
                keyAt = stamp != AV_NOPTS_VALUE ? std::max(stamp * av_q2d(video_->time_base) - startTime_, 0.0) : 0.0;
            ahead.put(packet);
        }
        const bool late = keyAt > target + 0.001 || (ended && keyAt < 0);
        if (!late || from <= 0 || attempt == kMaxTries) {
            int ignored = 0;
            while (ahead.get(packet, ignored, false) > 0)
                dispatch(packet);
            return;
        }
        back = back > 0 ? back * 2 : 1.0;
    }
}

}  // namespace media
