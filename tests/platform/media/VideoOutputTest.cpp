// The OpenGL output's pure parts: which pixel formats it draws, which matrix and range it picks and
// the conversion they give, and how the output is chosen; the renderer handing frames to a sink that
// draws them itself.
#include "HoldingSink.h"
#include "support/TestSupport.h"

#include "platform/media/FrameQueue.h"
#include "platform/media/VideoFrameFormat.h"
#include "platform/media/VideoOutputChoice.h"
#include "platform/media/VideoRenderer.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <set>

using namespace media;

namespace {

// The colour a conversion gives for codes y, u, v of a layout, in 0..255.
QColor convert(const ColourConversion& c, const FrameLayout& l, int y, int u, int v)
{
    const double wordMax = l.bytesPerSample == 2 ? 65535.0 : 255.0;
    const int shift = l.highBits ? 6 : 0;
    const double s[3] = {(y << shift) / wordMax, (u << shift) / wordMax, (v << shift) / wordMax};
    int rgb[3];
    for (int row = 0; row < 3; ++row) {
        double sum = c.offset[size_t(row)];
        for (int col = 0; col < 3; ++col)
            sum += c.matrix[size_t(row * 3 + col)] * s[col];
        rgb[row] = std::clamp(int(std::lround(sum * 255.0)), 0, 255);
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}

::testing::AssertionResult is(const QColor& c, int r, int g, int b)
{
    if (std::abs(c.red() - r) <= 2 && std::abs(c.green() - g) <= 2 && std::abs(c.blue() - b) <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << c.red() << "," << c.green() << "," << c.blue() << " wanted "
                                         << r << "," << g << "," << b;
}

}  // namespace

TEST(VideoFrameFormat, DrawsThePlanarAndTwoPlaneFormatsAndTenBitOnlyWithSixteenBitTextures)
{
    const auto yuv420 = frameLayout(AV_PIX_FMT_YUV420P, false);
    ASSERT_TRUE(yuv420);
    EXPECT_EQ(yuv420->planes, 3);
    EXPECT_EQ(yuv420->chromaShiftX, 1);
    EXPECT_EQ(yuv420->chromaShiftY, 1);
    const auto yuv422 = frameLayout(AV_PIX_FMT_YUVJ422P, false);
    ASSERT_TRUE(yuv422);
    EXPECT_EQ(yuv422->chromaShiftY, 0);
    const auto nv12 = frameLayout(AV_PIX_FMT_NV12, false);
    ASSERT_TRUE(nv12);
    EXPECT_EQ(nv12->planes, 2);

    EXPECT_FALSE(frameLayout(AV_PIX_FMT_YUV420P10LE, false));
    const auto ten = frameLayout(AV_PIX_FMT_YUV420P10LE, true);
    ASSERT_TRUE(ten);
    EXPECT_EQ(ten->bits, 10);
    EXPECT_EQ(ten->bytesPerSample, 2);
    EXPECT_FALSE(ten->highBits);
    const auto p010 = frameLayout(AV_PIX_FMT_P010LE, true);
    ASSERT_TRUE(p010);
    EXPECT_TRUE(p010->highBits);
    EXPECT_EQ(p010->planes, 2);

    // Anything else is converted before it reaches the output.
    EXPECT_FALSE(frameLayout(AV_PIX_FMT_RGB24, true));
    EXPECT_FALSE(frameLayout(AV_PIX_FMT_YUV410P, true));
    EXPECT_FALSE(frameLayout(AV_PIX_FMT_YUV420P10BE, true));
    EXPECT_FALSE(frameLayout(-1, true));
}

TEST(VideoFrameFormat, MatrixFromTheStreamElseFromThePictureSize)
{
    EXPECT_EQ(colourMatrix(AVCOL_SPC_UNSPECIFIED, 720, 576), ColourMatrix::Bt601);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_UNSPECIFIED, 720, 480), ColourMatrix::Bt601);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_UNSPECIFIED, 1280, 720), ColourMatrix::Bt709);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_UNSPECIFIED, 1920, 1080), ColourMatrix::Bt709);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_RESERVED, 1920, 1080), ColourMatrix::Bt709);
    // What the stream says wins over the size.
    EXPECT_EQ(colourMatrix(AVCOL_SPC_BT709, 720, 576), ColourMatrix::Bt709);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_SMPTE170M, 1920, 1080), ColourMatrix::Bt601);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_BT470BG, 1920, 1080), ColourMatrix::Bt601);
    EXPECT_EQ(colourMatrix(AVCOL_SPC_BT2020_NCL, 3840, 2160), ColourMatrix::Bt2020);

    EXPECT_FALSE(fullRange(AVCOL_RANGE_UNSPECIFIED, AV_PIX_FMT_YUV420P));
    EXPECT_FALSE(fullRange(AVCOL_RANGE_MPEG, AV_PIX_FMT_YUV420P));
    EXPECT_TRUE(fullRange(AVCOL_RANGE_JPEG, AV_PIX_FMT_YUV420P));
    EXPECT_TRUE(fullRange(AVCOL_RANGE_UNSPECIFIED, AV_PIX_FMT_YUVJ420P));
    EXPECT_TRUE(fullRange(AVCOL_RANGE_UNSPECIFIED, AV_PIX_FMT_YUVJ444P));
    EXPECT_FALSE(fullRange(AVCOL_RANGE_MPEG, AV_PIX_FMT_YUVJ420P));
}

TEST(VideoFrameFormat, ConversionGivesTheReferenceColoursOfEachStandardRangeAndDepth)
{
    const FrameLayout eight = *frameLayout(AV_PIX_FMT_YUV420P, false);
    const auto sd = colourConversion(ColourMatrix::Bt601, false, eight);
    EXPECT_TRUE(is(convert(sd, eight, 16, 128, 128), 0, 0, 0));
    EXPECT_TRUE(is(convert(sd, eight, 235, 128, 128), 255, 255, 255));
    EXPECT_TRUE(is(convert(sd, eight, 81, 90, 240), 255, 0, 0));
    EXPECT_TRUE(is(convert(sd, eight, 145, 54, 34), 0, 255, 0));
    EXPECT_TRUE(is(convert(sd, eight, 41, 240, 110), 0, 0, 255));
    // Codes beyond the nominal range clip.
    EXPECT_TRUE(is(convert(sd, eight, 0, 128, 128), 0, 0, 0));
    EXPECT_TRUE(is(convert(sd, eight, 255, 128, 128), 255, 255, 255));

    const auto hd = colourConversion(ColourMatrix::Bt709, false, eight);
    EXPECT_TRUE(is(convert(hd, eight, 63, 102, 240), 255, 0, 0));
    EXPECT_TRUE(is(convert(hd, eight, 173, 42, 26), 0, 255, 0));
    EXPECT_TRUE(is(convert(hd, eight, 32, 240, 118), 0, 0, 255));
    // The same codes read with the wrong matrix are visibly off: the choice matters.
    EXPECT_FALSE(is(convert(sd, eight, 173, 42, 26), 0, 255, 0));

    const auto full = colourConversion(ColourMatrix::Bt601, true, eight);
    EXPECT_TRUE(is(convert(full, eight, 0, 128, 128), 0, 0, 0));
    EXPECT_TRUE(is(convert(full, eight, 255, 128, 128), 255, 255, 255));
    EXPECT_TRUE(is(convert(full, eight, 76, 85, 255), 255, 0, 0));

    const FrameLayout ten = *frameLayout(AV_PIX_FMT_YUV420P10LE, true);
    const auto hd10 = colourConversion(ColourMatrix::Bt709, false, ten);
    EXPECT_TRUE(is(convert(hd10, ten, 64, 512, 512), 0, 0, 0));
    EXPECT_TRUE(is(convert(hd10, ten, 940, 512, 512), 255, 255, 255));
    EXPECT_TRUE(is(convert(hd10, ten, 250, 409, 960), 255, 0, 0));
    const FrameLayout p010 = *frameLayout(AV_PIX_FMT_P010LE, true);
    const auto hdP010 = colourConversion(ColourMatrix::Bt709, false, p010);
    EXPECT_TRUE(is(convert(hdP010, p010, 940, 512, 512), 255, 255, 255));
    EXPECT_TRUE(is(convert(hdP010, p010, 250, 409, 960), 255, 0, 0));
    const auto full10 = colourConversion(ColourMatrix::Bt709, true, ten);
    EXPECT_TRUE(is(convert(full10, ten, 1023, 512, 512), 255, 255, 255));
}

TEST(VideoOutputChoice, SettingsForceAndTheMachineDecidesOtherwise)
{
    EXPECT_EQ(parseOutputRequest("opengl"), OutputRequest::OpenGl);
    EXPECT_EQ(parseOutputRequest(" GL "), OutputRequest::OpenGl);
    EXPECT_EQ(parseOutputRequest("CPU"), OutputRequest::Cpu);
    EXPECT_EQ(parseOutputRequest(""), OutputRequest::Automatic);
    EXPECT_EQ(parseOutputRequest("auto"), OutputRequest::Automatic);
    EXPECT_EQ(parseOutputRequest("vulkan"), OutputRequest::Automatic);

    EXPECT_TRUE(isSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(isSoftwareRenderer("softpipe"));
    EXPECT_TRUE(isSoftwareRenderer("Software Rasterizer"));
    EXPECT_TRUE(isSoftwareRenderer(""));
    EXPECT_FALSE(isSoftwareRenderer("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)"));
    EXPECT_FALSE(isSoftwareRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));

    static OpenGlProbe probe;
    static int probes = 0;
    auto fake = []() -> const OpenGlProbe* {
        ++probes;
        return &probe;
    };
    probe = {true, false, true, "Mesa Intel(R) UHD Graphics 620"};
    EXPECT_EQ(chooseVideoOutput(OutputRequest::Automatic, true, fake), VideoOutput::OpenGl);
    EXPECT_EQ(chooseVideoOutput(OutputRequest::Cpu, true, fake), VideoOutput::Cpu);
    // No graphics device: the CPU output, without loading any OpenGL at all.
    probes = 0;
    EXPECT_EQ(chooseVideoOutput(OutputRequest::Automatic, false, fake), VideoOutput::Cpu);
    EXPECT_EQ(probes, 0);
    // A software renderer is only used when asked for.
    probe = {true, true, true, "llvmpipe"};
    EXPECT_EQ(chooseVideoOutput(OutputRequest::Automatic, true, fake), VideoOutput::Cpu);
    EXPECT_EQ(chooseVideoOutput(OutputRequest::OpenGl, false, fake), VideoOutput::OpenGl);
    // No usable context: the CPU output, even when OpenGL is asked for.
    probe = {false, false, false, ""};
    EXPECT_EQ(chooseVideoOutput(OutputRequest::OpenGl, true, fake), VideoOutput::Cpu);
    EXPECT_EQ(chooseVideoOutput(OutputRequest::Automatic, true, fake), VideoOutput::Cpu);
}

namespace {

// A sink that draws frames itself, as the OpenGL output does: it keeps what it was handed.
class FrameSink : public VideoSink {
public:
    explicit FrameSink(bool sixteenBit) : sixteenBit_(sixteenBit) {}
    QSize targetSize() const override { return {320, 240}; }
    void present(const QImage&) override { ++pictures; }
    bool takesFrames(bool& sixteenBit) const override
    {
        sixteenBit = sixteenBit_;
        return true;
    }
    void presentFrame(const AVFrame& frame, const QImage&) override
    {
        std::lock_guard lock(mutex);
        formats.insert(frame.format);
        width = frame.width;
        height = frame.height;
        fullRange = frame.color_range == AVCOL_RANGE_JPEG;
        lumaMiddle = frame.data[0][(frame.height / 2) * frame.linesize[0] + frame.width / 2];
        ++frames;
    }
    std::mutex mutex;
    std::set<int> formats;
    int width = 0, height = 0, frames = 0, pictures = 0, lumaMiddle = 0;
    bool fullRange = false;

private:
    bool sixteenBit_;
};

// A picture of `format` with every byte of every plane set to `fill`.
DecodedFrame filled(AVPixelFormat format, int width, int height, uint8_t fill, double pts)
{
    DecodedFrame f{allocFrame(), 0, pts, 0.04};
    f.frame->width = width;
    f.frame->height = height;
    f.frame->format = format;
    av_frame_get_buffer(f.frame.get(), 0);
    for (int i = 0; i < 4 && f.frame->buf[i]; ++i)
        std::memset(f.frame->buf[i]->data, fill, f.frame->buf[i]->size);
    return f;
}

// Plays `pictures` through a renderer into `sink`, all at once.
void render(const std::shared_ptr<VideoSink>& sink, std::vector<DecodedFrame> pictures)
{
    FrameQueue frames(4);
    Clock clock;
    VideoRenderer renderer(frames, clock, sink);
    std::atomic<bool> ended{false};
    renderer.onEnded = [&](int) { ended = true; };
    renderer.setFreeRun(true);
    renderer.start(pictures.front().frame->width, pictures.front().frame->height);
    for (auto& picture : pictures)
        frames.push(std::move(picture));
    frames.markFinished(0);
    ASSERT_TRUE(testsupport::waitFor([&] { return ended.load(); }, std::chrono::seconds(20)));
    renderer.stop();
}

}  // namespace

TEST(VideoRendererFrames, AFrameSinkGetsTheDecodedPlanesOrAConvertedCopyNeverPictures)
{
    auto planar = std::make_shared<FrameSink>(false);
    render(planar, [] {
        std::vector<DecodedFrame> v;
        v.push_back(filled(AV_PIX_FMT_YUV420P, 720, 576, 128, 0));
        v.push_back(filled(AV_PIX_FMT_NV12, 720, 576, 128, 0.04));
        return v;
    }());
    EXPECT_EQ(planar->frames, 2);
    EXPECT_EQ(planar->pictures, 0);
    EXPECT_EQ(planar->formats, (std::set<int>{AV_PIX_FMT_YUV420P, AV_PIX_FMT_NV12}));

    // 10-bit pictures: as they come where 16-bit textures exist, converted to 8-bit 4:2:0 elsewhere.
    for (const bool sixteenBit : {true, false}) {
        auto sink = std::make_shared<FrameSink>(sixteenBit);
        std::vector<DecodedFrame> v;
        v.push_back(filled(AV_PIX_FMT_YUV420P10LE, 64, 48, 1, 0));
        render(sink, std::move(v));
        EXPECT_EQ(sink->formats, std::set<int>{sixteenBit ? AV_PIX_FMT_YUV420P10LE : AV_PIX_FMT_YUV420P});
    }

    // RGB pictures are converted at their own size, their content kept (white stays white), and
    // several of them in a row while the sink holds the last one each time.
    auto rgb = std::make_shared<FrameSink>(true);
    render(rgb, [] {
        std::vector<DecodedFrame> v;
        for (int i = 0; i < 6; ++i)
            v.push_back(filled(AV_PIX_FMT_RGB24, 160, 120, 255, i * 0.04));
        return v;
    }());
    EXPECT_EQ(rgb->frames, 6);
    EXPECT_EQ(rgb->formats, std::set<int>{AV_PIX_FMT_YUV420P});
    EXPECT_EQ(rgb->width, 160);
    EXPECT_EQ(rgb->height, 120);
    EXPECT_FALSE(rgb->fullRange);
    EXPECT_NEAR(rgb->lumaMiddle, 235, 3);
}

TEST(VideoRendererFrames, TheCpuOutputConvertsHdPicturesWithTheirOwnMatrix)
{
    // BT.709 red at 1280 x 720 (the stream says nothing, so its size decides).
    auto sink = std::make_shared<mediatest::HoldingSink>(QSize(640, 360));
    DecodedFrame red = filled(AV_PIX_FMT_YUV420P, 1280, 720, 0, 0);
    const uint8_t codes[3] = {63, 102, 240};
    for (int plane = 0; plane < 3; ++plane)
        std::memset(red.frame->data[plane], codes[plane], size_t(red.frame->linesize[plane]) * (plane ? 360 : 720));
    std::vector<DecodedFrame> v;
    v.push_back(std::move(red));
    render(sink, std::move(v));
    std::lock_guard lock(sink->mutex);
    ASSERT_EQ(sink->latest.size(), QSize(640, 360));
    const QColor middle = sink->latest.pixelColor(320, 180);
    EXPECT_TRUE(std::abs(middle.red() - 255) <= 6 && middle.green() <= 6 && middle.blue() <= 6)
        << middle.name().toStdString();
}
