#include "platform/media/Demuxer.h"

#include "platform/media/FormatLibrary.h"

#include <QFileInfo>

#include <cerrno>
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
            const int64_t ts = int64_t((target + startTime_) * AV_TIME_BASE);
            lib_->avformat_seek_file(format_, -1, INT64_MIN, ts, ts, 0);
            if (videoQueue_)
                videoQueue_->flush(serial);
            if (audioQueue_)
                audioQueue_->flush(serial);
            atEnd = false;
            failed = false;
        }
        if (atEnd || queuesFull()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
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
        if (video_ && packet->stream_index == video_->index && videoQueue_)
            videoQueue_->put(packet);
        else if (audio_ && packet->stream_index == audio_->index && audioQueue_)
            audioQueue_->put(packet);
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
}

}  // namespace media
