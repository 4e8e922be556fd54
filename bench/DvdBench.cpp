// DVD figures, printed:
//  1. navigator + decoding throughput: pictures per second read through the navigator, assembled
//     and decoded, against plain libavformat + libavcodec decoding of the same title VOB in the
//     same run (target: at least 0.9 of the plain rate);
//  2. time from RenderDvdVideoVolume to the first menu picture in the window, in this process;
//  3. chapter-jump latency: from the command to the next chapter's first picture (target 0.2 s);
//  4. the player program itself (build/bin/vistrel on the disc): start to the first menu picture
//     on the screen, CPU per second on the menu and its own peak resident memory (target: at
//     most 60 MiB).
#include "platform/dvd/DvdGraph.h"
#include "platform/dvd/EsAssembler.h"
#include "platform/media/Decoder.h"
#include "platform/media/VideoRendererWindow.h"

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

#include <atomic>
#include <cstdio>

using bench::mediaFile;

namespace {

double PlainRate(long& pictures)
{
    pictures = 0;
    AVFormatContext* format = nullptr;
    const QByteArray path = QFile::encodeName(mediaFile("dvd/VIDEO_TS/VTS_01_1.VOB"));
    if (avformat_open_input(&format, path.constData(), nullptr, nullptr) < 0)
        return 0;
    avformat_find_stream_info(format, nullptr);
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    media::CodecContextPtr codec = index >= 0 ? media::openDecoder(format->streams[index]) : nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    QElapsedTimer timer;
    timer.start();
    while (codec && av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index && avcodec_send_packet(codec.get(), packet) >= 0)
            while (avcodec_receive_frame(codec.get(), frame) == 0)
                ++pictures;
        av_packet_unref(packet);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&format);
    return seconds > 0 ? pictures / seconds : 0;
}

// Decodes the navigator's video on its own thread, as fast as it comes.
class DecodingOutput : public dvd::NavigatorOutput {
public:
    DecodingOutput() : assembler_(AV_CODEC_ID_MPEG2VIDEO)
    {
        const AVCodec* c = avcodec_find_decoder(AV_CODEC_ID_MPEG2VIDEO);
        codec_ = avcodec_alloc_context3(c);
        avcodec_open2(codec_, c, nullptr);
        frame_ = av_frame_alloc();
    }
    ~DecodingOutput() override
    {
        av_frame_free(&frame_);
        avcodec_free_context(&codec_);
    }
    void onPayload(const dvd::EsPayload& p, int) override
    {
        if (p.kind != dvd::EsKind::Video)
            return;
        assembler_.feed(p.data, p.size, p.pts, p.dts, [this](AVPacket* packet) {
            if (avcodec_send_packet(codec_, packet) >= 0)
                while (avcodec_receive_frame(codec_, frame_) == 0)
                    ++pictures;
            av_packet_unref(packet);
        });
    }
    void onFlush(int) override {}
    void onStill(int) override {}
    void onHighlight(const dvd::Highlight&) override {}
    void onColourTable(const std::array<uint32_t, 16>&) override {}
    void onEvent(int32_t code, dvd::LONG_PTR, dvd::LONG_PTR) override
    {
        if (code == dvd::EC_DVD_DOMAIN_CHANGE && pictures > 0)
            leftTitle = true;
    }
    void drain(const std::function<bool()>&) override {}
    bool full() const override { return false; }

    std::atomic<long> pictures{0};
    std::atomic<bool> leftTitle{false};

private:
    dvd::EsAssembler assembler_;
    AVCodecContext* codec_ = nullptr;
    AVFrame* frame_ = nullptr;
};

double NavigatorRate(long& pictures)
{
    dvd::Navigator navigator;
    if (!navigator.open(mediaFile("dvd")))
        return 0;
    dvd::NavigatorControl control(navigator);
    DecodingOutput output;
    navigator.start(&output);
    control.PlayChapterInTitle(1, 1, 0, nullptr);
    QElapsedTimer timer;
    timer.start();
    navigator.setRunning(true);
    while (!output.leftTitle && timer.elapsed() < 20000)
        QThread::usleep(500);
    const double seconds = timer.nsecsElapsed() / 1e9;
    navigator.close();
    pictures = output.pictures;
    return seconds > 0 ? pictures / seconds : 0;
}

// Mean colour of the middle of the picture.
QColor Middle(const QImage& picture)
{
    return picture.isNull() ? QColor() : picture.pixelColor(picture.width() / 2, picture.height() / 4);
}

template <class Pred>
double WaitSeconds(Pred pred, double limit)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < limit * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
    return pred() ? timer.nsecsElapsed() / 1e9 : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("SDL_AUDIODRIVER", qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    QApplication app(argc, argv);

    long plainPictures = 0, navPictures = 0;
    const double plain = PlainRate(plainPictures);
    const double nav = NavigatorRate(navPictures);
    std::printf("DVD title 1, MPEG-2 720x576\n");
    std::printf("  plain libavcodec decoding : %8.1f pictures/s (%ld pictures)\n", plain, plainPictures);
    std::printf("  navigator + decoding      : %8.1f pictures/s (%ld pictures)\n", nav, navPictures);
    std::printf("  ratio                     : %8.2f (target >= 0.90)\n", plain > 0 ? nav / plain : 0.0);

    QWidget owner;
    owner.resize(720, 576);
    owner.show();
    QElapsedTimer timer;
    timer.start();
    auto graph = dvd::DvdGraph::create();
    graph->setAudioDevice(false);
    dvd::AM_DVD_RENDERSTATUS status;
    graph->RenderDvdVideoVolume(mediaFile("dvd"), dvd::AM_DVD_HWDEC_PREFER, status);
    graph->put_Owner(&owner);
    graph->put_WindowStyle(media::WS_CHILD);
    graph->SetWindowPosition(0, 0, 720, 576);
    graph->Run();
    auto* window = graph->rendererWindow();
    WaitSeconds([&] { return window && Middle(window->picture()).blue() > 60; }, 5);
    const double firstMenu = timer.nsecsElapsed() / 1e9;
    std::printf("  render to first menu picture: %6.3f s (in this process)\n", firstMenu);

    com::Ref<com::IUnknown> unknown;
    graph->GetDvdInterface(dvd::IDvdControl2::IID, unknown);
    auto control = com::query<dvd::IDvdControl2>(unknown);
    if (control) {
        control->PlayChapterInTitle(1, 1, 0, nullptr);
        WaitSeconds([&] { return Middle(window->picture()).red() > 200; }, 5);
        WaitSeconds([] { return false; }, 0.5);
        QElapsedTimer jump;
        jump.start();
        control->PlayNextChapter(0, nullptr);
        const double latency = WaitSeconds([&] {
            const QColor c = Middle(window->picture());
            return c.green() > 200 && c.red() < 60;
        }, 5);
        std::printf("  chapter-jump latency        : %6.3f s (target < 0.2)\n", latency);
        WaitSeconds([] { return false; }, 2.0);
    }
    graph.reset();

    bench::printProgramFigures(mediaFile("dvd"), "on the disc (first menu picture; target: peak at most 60 MiB)",
                               QColor(0x10, 0x20, 0x60), 3);
    return 0;
}
