// VA-API decoding, off by default and falling back to software whenever it cannot be had: this
// machine's kind has no graphics device, so every test here is of the way back.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include "platform/media/Decoder.h"
#include "platform/media/HardwareDecoding.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QWidget>

#include <gtest/gtest.h>

using namespace media;

namespace {

// Sets an environment variable for the life of the object.
struct Setting {
    Setting(const char* name, const char* value) : name_(name) { qputenv(name, value); }
    ~Setting() { qunsetenv(name_); }
    const char* name_;
};

// Opens the first stream of a generated file with VA-API asked for.
struct Opened {
    explicit Opened(const char* relative)
    {
        const QByteArray path = testsupport::media(relative).toUtf8();
        if (avformat_open_input(&format, path.constData(), nullptr, nullptr) < 0)
            return;
        avformat_find_stream_info(format, nullptr);
        codec = openDecoder(format->streams[0], HardwareDecoding::Vaapi, &note);
    }
    ~Opened() { avformat_close_input(&format); }
    AVFormatContext* format = nullptr;
    CodecContextPtr codec;
    std::string note;
};

}  // namespace

TEST(HardwareDecoding, OnlyVaapiTurnsItOn)
{
    EXPECT_EQ(parseHardwareDecoding("vaapi"), HardwareDecoding::Vaapi);
    EXPECT_EQ(parseHardwareDecoding(" VAAPI\n"), HardwareDecoding::Vaapi);
    EXPECT_EQ(parseHardwareDecoding(nullptr), HardwareDecoding::Off);
    EXPECT_EQ(parseHardwareDecoding(""), HardwareDecoding::Off);
    EXPECT_EQ(parseHardwareDecoding("1"), HardwareDecoding::Off);
    EXPECT_EQ(parseHardwareDecoding("vdpau"), HardwareDecoding::Off);
}

TEST(HardwareDecoding, WithoutADeviceOrACodecPathTheDecoderOpensInSoftwareAndSaysWhy)
{
    const Setting device("VISTREL_VAAPI_DEVICE", "/dev/null");  // never a VA-API device
    const Opened h264("output/bars-hd.mp4");
    ASSERT_TRUE(h264.codec);
    EXPECT_EQ(h264.codec->hw_device_ctx, nullptr);
    EXPECT_EQ(h264.codec->get_format, avcodec_default_get_format);
    EXPECT_EQ(h264.note.rfind("software: no VA-API device", 0), 0u) << h264.note;

    const Opened raw("output/bars-nv12.avi");
    ASSERT_TRUE(raw.codec);
    EXPECT_EQ(raw.note, "software: no VA-API decoding for rawvideo");

    // A software picture needs no download and is left as it is.
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = 16;
    frame->height = 16;
    ASSERT_GE(av_frame_get_buffer(frame, 0), 0);
    uint8_t* before = frame->data[0];
    EXPECT_TRUE(downloadFrame(frame));
    EXPECT_EQ(frame->data[0], before);
    av_frame_free(&frame);
}

TEST(HardwareDecoding, AFileAskedToDecodeInHardwarePlaysInSoftwareWhereThereIsNone)
{
    const Setting hardware("VISTREL_HWDEC", "vaapi");
    const Setting device("VISTREL_VAAPI_DEVICE", "/dev/null");
    mediatest::GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);
    const QString text = QString::fromStdString(g.graph->describe());
    EXPECT_TRUE(text.contains("decoding software: no VA-API device")) << text.toStdString();
    QWidget host;
    host.resize(320, 240);
    host.show();
    mediatest::placeIn(g, host);
    ASSERT_EQ(g.graph->Run(), S_OK);
    EXPECT_TRUE(testsupport::waitFor(
        [&] {
            return mediatest::near(mediatest::middleColour(g.graph->rendererWindow()->grab().toImage()), 255, 0, 0);
        },
        std::chrono::seconds(10)));
    g.graph->Stop();
}
