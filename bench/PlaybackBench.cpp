// Playback figures, printed:
//  1. pipeline cost: pictures per second through the graph's own source, decoder and renderer,
//     each picture converted to a 640 x 480 window's size (no clock, no sound), against plain
//     libavformat + libavcodec decoding of the same file in the same run, for SD MPEG-2 and MPEG-4;
//  2. CPU seconds per second of real-time playback of an SD file into a 640 x 480 window, in
//     this process;
//  3. the player program itself (build/bin/vistrel on the same file): start to first picture on
//     the screen, CPU per second of playback and its own peak resident memory.
#include "platform/media/FilterGraph.h"
#include "platform/media/Playback.h"

#include "ProgramProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <cstdio>
#include <sys/resource.h>

using bench::mediaFile;

namespace {

constexpr int kPasses = 4;

// Plain decoding of every picture of the file's best video stream, kPasses times; pictures per second.
double plainDecodeRate(const QString& path, long& pictures)
{
    AVFormatContext* format = nullptr;
    pictures = 0;
    if (avformat_open_input(&format, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return 0;
    avformat_find_stream_info(format, nullptr);
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    double rate = 0;
    if (index >= 0) {
        media::CodecContextPtr codec = media::openDecoder(format->streams[index]);
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        QElapsedTimer timer;
        timer.start();
        auto receive = [&] {
            while (avcodec_receive_frame(codec.get(), frame) == 0) {
                ++pictures;
                av_frame_unref(frame);
            }
        };
        for (int pass = 0; pass < kPasses && codec; ++pass) {
            if (pass > 0) {
                avformat_seek_file(format, -1, INT64_MIN, 0, 0, 0);
                avcodec_flush_buffers(codec.get());
            }
            while (av_read_frame(format, packet) >= 0) {
                if (packet->stream_index == index && avcodec_send_packet(codec.get(), packet) >= 0)
                    receive();
                av_packet_unref(packet);
            }
            avcodec_send_packet(codec.get(), nullptr);
            receive();
        }
        rate = pictures / (timer.nsecsElapsed() / 1e9);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
    avformat_close_input(&format);
    return rate;
}

// Takes each picture, converted, as a window would, and keeps the latest.
class WindowSizedSink : public media::VideoSink {
public:
    QSize targetSize() const override { return QSize(640, 480); }
    void present(const QImage& picture) override
    {
        std::lock_guard lock(mutex_);
        latest_ = picture;
    }

private:
    std::mutex mutex_;
    QImage latest_;
};

// The same file through the graph's pipeline, pictures converted for the window as they decode,
// played kPasses times over by seeking back to the start at each end (opening is left out, as for
// plain decoding).
double pipelineRate(const QString& path, long& pictures)
{
    std::atomic<int> ends{0};
    media::Playback playback([&](int32_t code, media::LONG_PTR, media::LONG_PTR) {
        if (code == media::EC_COMPLETE || code == media::EC_ERRORABORT)
            ++ends;
    });
    media::PlaybackOptions options;
    options.audio = false;
    options.audioDevice = false;
    options.freeRun = true;
    options.videoSink = std::make_shared<WindowSizedSink>();
    if (FAILED(playback.open(path, options)))
        return 0;
    QElapsedTimer timer;
    timer.start();
    playback.run();
    for (int pass = 1; pass <= kPasses; ++pass) {
        while (ends < pass)
            QThread::msleep(2);
        if (pass < kPasses)
            playback.seek(0);
    }
    pictures = long(playback.videoRenderer()->shown());
    return pictures / (timer.nsecsElapsed() / 1e9);
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);

    std::printf("Pipeline cost (decoding and conversion to 640 x 480 vs plain libavcodec decoding, same run)\n");
    for (const char* file : {"files/sd.mpg", "files/sd-mpeg4.avi"}) {
        const QString path = mediaFile(QString::fromLatin1(file));
        long plainPictures = 0;
        long pipelinePictures = 0;
        // Best of three runs each, alternating, so that both see the same machine load.
        double plain = 0;
        double pipeline = 0;
        for (int run = 0; run < 3; ++run) {
            plain = std::max(plain, plainDecodeRate(path, plainPictures));
            pipeline = std::max(pipeline, pipelineRate(path, pipelinePictures));
        }
        std::printf("  %-20s plain %7.1f pictures/s (%ld)  pipeline %7.1f pictures/s (%ld)  ratio %.2f\n",
                    file, plain, plainPictures, pipeline, pipelinePictures, plain > 0 ? pipeline / plain : 0.0);
    }

    std::printf("Real-time playback of files/sd.mpg into a 640 x 480 window, in this process\n");
    {
        QWidget host;
        host.resize(640, 480);
        host.show();
        auto graph = media::FilterGraph::create();
        if (FAILED(graph->RenderFile(mediaFile(QStringLiteral("files/sd.mpg"))))) {
            std::printf("  cannot render files/sd.mpg\n");
            return 0;
        }
        graph->put_Owner(&host);
        graph->put_WindowStyle(media::WS_CHILD);
        graph->SetWindowPosition(0, 0, 640, 480);
        graph->Run();
        QElapsedTimer sinceRun;
        sinceRun.start();
        while (graph->playback()->videoRenderer()->firstShownAt() == 0 && sinceRun.elapsed() < 5000)
            pump(1);
        pump(500);
        const double cpuFrom = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        pump(5000);
        const double cpu = (cpuSeconds() - cpuFrom) / (wall.elapsed() / 1000.0);
        std::printf("  CPU: %.3f s per second of playback (%u pictures shown, %u dropped, %d picture buffers)\n", cpu,
                    unsigned(graph->playback()->videoRenderer()->shown()),
                    unsigned(graph->playback()->videoRenderer()->dropped()),
                    graph->playback()->videoRenderer()->pictureAllocations());
        graph->Stop();
    }

    bench::printProgramFigures(mediaFile(QStringLiteral("files/sd.mpg")), "files/sd.mpg", QColor(255, 0, 0), 5);
    return 0;
}
