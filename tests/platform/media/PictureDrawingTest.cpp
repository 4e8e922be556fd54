// The renderer's picture path: reused pictures, the size pictures are converted at, where the
// window draws them, and the colours and aspect of what comes out of the converter.
#include "HoldingSink.h"
#include "platform/media/FrameQueue.h"
#include "platform/media/PicturePool.h"
#include "platform/media/VideoRenderer.h"
#include "platform/media/VideoRendererWindow.h"
#include "support/TestSupport.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <cstring>
#include <mutex>

#include <gtest/gtest.h>

using namespace media;

TEST(PicturePool, APictureComesBackOnlyOnceNobodyHoldsIt)
{
    PicturePool pool;
    QImage* first = pool.acquire(QSize(64, 48));
    ASSERT_TRUE(first);
    first->fill(Qt::red);
    const uchar* firstPixels = first->constBits();
    QImage shown = *first;  // the window keeps the picture it shows

    QImage* second = pool.acquire(QSize(64, 48));
    ASSERT_TRUE(second);
    EXPECT_NE(second->constBits(), firstPixels);
    second->fill(Qt::green);
    EXPECT_EQ(shown.pixel(0, 0), QColor(Qt::red).rgb());  // writing the next one leaves the shown one alone

    shown = *second;  // the window moves on: the first is free again, no new memory
    QImage* third = pool.acquire(QSize(64, 48));
    EXPECT_EQ(third->constBits(), firstPixels);
    EXPECT_EQ(pool.allocations(), 2);

    // A long run where the window always holds the latest picture allocates nothing more.
    for (int i = 0; i < 200; ++i) {
        QImage* next = pool.acquire(QSize(64, 48));
        ASSERT_TRUE(next);
        next->bits();  // no copy: the pool alone holds it
        shown = *next;
    }
    EXPECT_EQ(pool.allocations(), 2);
}

TEST(PicturePool, ANewSizeOrEveryPictureHeldGetsFreshMemoryAndEmptyGetsNothing)
{
    PicturePool pool;
    std::vector<QImage> held;
    for (int i = 0; i < 6; ++i) {
        QImage* p = pool.acquire(QSize(32, 32));
        ASSERT_TRUE(p);
        held.push_back(*p);
    }
    EXPECT_EQ(pool.allocations(), 6);
    for (size_t i = 0; i < held.size(); ++i)
        for (size_t j = i + 1; j < held.size(); ++j)
            EXPECT_NE(held[i].constBits(), held[j].constBits());
    held.clear();
    QImage* bigger = pool.acquire(QSize(40, 30));
    ASSERT_TRUE(bigger);
    EXPECT_EQ(bigger->size(), QSize(40, 30));
    EXPECT_EQ(bigger->format(), QImage::Format_RGB32);
    EXPECT_EQ(pool.acquire(QSize(0, 30)), nullptr);
    EXPECT_EQ(pool.acquire(QSize(-5, -5)), nullptr);
}

// A picture the window still shows outlives the pool it came from (the renderer and its pool go
// before the window does).
TEST(PicturePool, APictureHeldOutlivesItsPool)
{
    QImage kept;
    {
        PicturePool pool;
        QImage* picture = pool.acquire(QSize(640, 480));
        ASSERT_TRUE(picture);
        picture->fill(Qt::blue);
        kept = *picture;
    }
    EXPECT_EQ(kept.pixel(0, 0), QColor(Qt::blue).rgb());
    EXPECT_EQ(kept.pixel(639, 479), QColor(Qt::blue).rgb());
    kept.setPixel(1, 1, qRgb(1, 2, 3));  // a copy of its own, as any held picture
    EXPECT_EQ(kept.pixel(1, 1), qRgb(1, 2, 3));
}

TEST(PictureSize, ConvertedWidthsAreEvenAndTheWindowDrawsThemCentredOrScaledAfterAResize)
{
    EXPECT_EQ(convertedSize(QRect(33, 0, 573, 430)), QSize(572, 430));
    EXPECT_EQ(convertedSize(QRect(0, 60, 640, 360)), QSize(640, 360));
    EXPECT_EQ(convertedSize(QRect(0, 0, 1, 1)), QSize(2, 1));
    EXPECT_EQ(convertedSize(QRect()), QSize());

    // Converted for this room: pixel for pixel, centred, bars on the long side.
    EXPECT_EQ(pictureTarget(QSize(639, 430), QSize(572, 430)), QRect(33, 0, 572, 430));
    EXPECT_EQ(pictureTarget(QSize(641, 360), QSize(640, 360)), QRect(0, 0, 640, 360));
    EXPECT_EQ(pictureTarget(QSize(640, 480), QSize(640, 360)), QRect(0, 60, 640, 360));
    // Converted for another room (the window was just resized): scaled, shape kept.
    EXPECT_EQ(pictureTarget(QSize(1280, 960), QSize(640, 480)), QRect(0, 0, 1280, 960));
    EXPECT_EQ(pictureTarget(QSize(320, 480), QSize(640, 480)), QRect(0, 120, 320, 240));
    EXPECT_TRUE(pictureTarget(QSize(320, 240), QSize()).isEmpty());
    EXPECT_TRUE(pictureTarget(QSize(), QSize(10, 10)).isEmpty());
}

namespace {

// A YUV 4:2:0 picture of one colour (studio range), with a pixel aspect ratio.
DecodedFrame solid(int width, int height, AVRational sar, uint8_t y, uint8_t u, uint8_t v, double pts)
{
    DecodedFrame f{allocFrame(), 0, pts, 0.04};
    f.frame->width = width;
    f.frame->height = height;
    f.frame->format = 0;  // planar YUV 4:2:0
    f.frame->sample_aspect_ratio = sar;
    av_frame_get_buffer(f.frame.get(), 0);
    for (int row = 0; row < height; ++row)
        std::memset(f.frame->data[0] + row * f.frame->linesize[0], y, size_t(width));
    for (int row = 0; row < (height + 1) / 2; ++row) {
        std::memset(f.frame->data[1] + row * f.frame->linesize[1], u, size_t((width + 1) / 2));
        std::memset(f.frame->data[2] + row * f.frame->linesize[2], v, size_t((width + 1) / 2));
    }
    return f;
}

bool near(QRgb c, int r, int g, int b)
{
    return std::abs(qRed(c) - r) <= 12 && std::abs(qGreen(c) - g) <= 12 && std::abs(qBlue(c) - b) <= 12;
}

}  // namespace

TEST(VideoRenderer, PicturesComeAtTheFittedEvenSizeInTheirColoursFromAFewReusedBuffers)
{
    FrameQueue frames(4);
    Clock clock;
    auto sink = std::make_shared<mediatest::HoldingSink>(QSize(639, 430));  // a 4:3 picture fits 573 wide: odd
    VideoRenderer renderer(frames, clock, sink);
    std::atomic<bool> ended{false};
    renderer.onEnded = [&](int) { ended = true; };
    renderer.setFreeRun(true);
    renderer.start(720, 576);
    const int pictures = 60;
    for (int i = 0; i < pictures; ++i) {
        // Red, then blue: a wide PAL picture (pixel aspect 16:15 gives 4:3 at 720 x 576).
        const bool red = i < pictures / 2;
        frames.push(solid(720, 576, AVRational{16, 15}, red ? 81 : 41, red ? 90 : 240, red ? 240 : 110, i * 0.04));
    }
    frames.markFinished(0);
    ASSERT_TRUE(testsupport::waitFor([&] { return ended.load(); }, std::chrono::seconds(20)));
    renderer.stop();

    std::lock_guard lock(sink->mutex);
    EXPECT_EQ(sink->count, pictures);
    EXPECT_EQ(sink->latest.size(), QSize(572, 430));
    EXPECT_TRUE(near(sink->latest.pixel(286, 215), 0, 0, 255)) << std::hex << sink->latest.pixel(286, 215);
    EXPECT_TRUE(near(sink->latest.pixel(0, 0), 0, 0, 255));
    EXPECT_TRUE(near(sink->latest.pixel(571, 429), 0, 0, 255));
    EXPECT_LE(renderer.pictureAllocations(), 4);
}
