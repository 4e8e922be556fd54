// The DVD overlay on its way to the window: sub-pictures and highlights laid over the renderer's
// pictures without touching them, in a few reused pictures.
#include "../media/HoldingSink.h"
#include "platform/dvd/SubpictureSink.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <mutex>

#include <gtest/gtest.h>

using namespace dvd;

namespace {

// A forced (menu) sub-picture: a 40 x 20 block of value 1 at (100, 100) of the 720 x 576 picture.
Subpicture block()
{
    Subpicture s;
    s.x = 100;
    s.y = 100;
    s.width = 40;
    s.height = 20;
    s.values.assign(size_t(s.width * s.height), 1);
    s.colour = {0, 1, 0, 0};
    s.contrast = {0, 15, 0, 0};
    s.start = 0;
    s.forced = true;
    return s;
}

// The highlight of a button over the block's left half, in colour entry 2 at `contrast`.
Highlight button(uint8_t contrast)
{
    Highlight highlight;
    highlight.shown = true;
    highlight.left = 100;
    highlight.top = 100;
    highlight.right = 119;
    highlight.bottom = 119;
    highlight.colour = {0, 2, 0, 0};
    highlight.contrast = {0, contrast, 0, 0};
    return highlight;
}

}  // namespace

TEST(SubpictureSink, TheOverlayGoesOnACopyTheRenderersPictureStaysBareAndFewPicturesAreMade)
{
    media::Clock clock;
    clock.set(1.0, 0);
    auto window = std::make_shared<mediatest::HoldingSink>(QSize(360, 288));
    SubpictureSink sink(window, clock);
    std::array<uint32_t, 16> table{};
    table[1] = 0xEB8080;  // white: Y 235, Cr 128, Cb 128
    sink.setColourTable(table);
    sink.addSubpicture(block());

    // The renderer's picture, half size (360 x 288): the block lands at (50, 50) to (70, 60).
    QImage picture(360, 288, QImage::Format_RGB32);
    for (int i = 0; i < 100; ++i) {
        picture.fill(i % 2 ? Qt::blue : Qt::red);
        sink.present(picture);
        // Written to in place by the next pass, as the renderer's pool does.
        EXPECT_EQ(picture.pixel(60, 55), QColor(i % 2 ? Qt::blue : Qt::red).rgb()) << "the bare picture was changed";
        std::lock_guard lock(window->mutex);
        EXPECT_EQ(window->latest.pixel(60, 55), qRgb(255, 255, 255));
        EXPECT_EQ(window->latest.pixel(10, 10), QColor(i % 2 ? Qt::blue : Qt::red).rgb());
    }
    EXPECT_LE(sink.composedAllocations(), 3);

    // A new highlight re-presents the last bare picture with the overlay again.
    table[2] = 0x108080;  // black
    sink.setColourTable(table);
    sink.setHighlight(button(15));
    std::lock_guard lock(window->mutex);
    EXPECT_EQ(window->latest.pixel(52, 55), qRgb(0, 0, 0));        // inside the button: its colour
    EXPECT_EQ(window->latest.pixel(65, 55), qRgb(255, 255, 255));  // outside: the sub-picture's
    EXPECT_EQ(window->latest.pixel(10, 10), QColor(Qt::blue).rgb());
}

TEST(SubpictureSink, WithoutASubpictureThePictureGoesThroughUntouched)
{
    media::Clock clock;
    auto window = std::make_shared<mediatest::HoldingSink>(QSize(360, 288));
    SubpictureSink sink(window, clock);
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::green);
    sink.present(picture);
    std::lock_guard lock(window->mutex);
    EXPECT_EQ(window->latest.constBits(), picture.constBits());  // no copy at all
    EXPECT_EQ(sink.composedAllocations(), 0);
}

namespace {

// An output that draws frames itself: keeps the overlay it was handed with each frame.
class FrameWindow : public media::VideoSink {
public:
    QSize targetSize() const override { return {720, 576}; }
    void present(const QImage&) override { ++pictures; }
    bool takesFrames(bool& sixteenBit) const override
    {
        sixteenBit = false;
        return true;
    }
    void presentFrame(const AVFrame& frame, const QImage& overlay) override
    {
        std::lock_guard lock(mutex);
        lastOverlay = overlay;
        lastWidth = frame.width;
        ++frames;
    }
    std::mutex mutex;
    QImage lastOverlay;
    int frames = 0, pictures = 0, lastWidth = 0;
};

}  // namespace

TEST(SubpictureSink, InFrontOfAFrameOutputTheOverlayTravelsAsAPictureOfItsOwn)
{
    media::Clock clock;
    clock.set(1.0, 0);
    auto window = std::make_shared<FrameWindow>();
    SubpictureSink sink(window, clock);
    bool sixteenBit = true;
    ASSERT_TRUE(sink.takesFrames(sixteenBit));
    EXPECT_FALSE(sixteenBit);
    std::array<uint32_t, 16> table{};
    table[1] = 0xEB8080;  // white
    table[2] = 0x108080;  // black
    sink.setColourTable(table);

    media::FramePtr frame = media::allocFrame();
    frame->width = 720;
    frame->height = 576;
    frame->format = 0;
    ASSERT_GE(av_frame_get_buffer(frame.get(), 0), 0);

    // No sub-picture: no overlay at all.
    sink.presentFrame(*frame, QImage());
    {
        std::lock_guard lock(window->mutex);
        EXPECT_TRUE(window->lastOverlay.isNull());
        EXPECT_EQ(window->lastWidth, 720);
    }

    // A sub-picture: drawn at its place in picture pixels, transparent elsewhere, and the same
    // overlay (not made again) with each following frame.
    sink.addSubpicture(block());
    sink.presentFrame(*frame, QImage());
    qint64 key = 0;
    {
        std::lock_guard lock(window->mutex);
        const QImage& o = window->lastOverlay;
        ASSERT_EQ(o.size(), QSize(720, 576));
        EXPECT_EQ(o.pixel(120, 110), qRgba(255, 255, 255, 255));
        EXPECT_EQ(qAlpha(o.pixel(99, 110)), 0);
        EXPECT_EQ(qAlpha(o.pixel(120, 120)), 0);
        key = o.cacheKey();
    }
    sink.presentFrame(*frame, QImage());
    {
        std::lock_guard lock(window->mutex);
        EXPECT_EQ(window->lastOverlay.cacheKey(), key);
    }

    // A highlight re-presents the last frame with a new overlay: the button's pixels recoloured,
    // half transparent as its contrast says.
    const int before = window->frames;
    sink.setHighlight(button(8));
    std::lock_guard lock(window->mutex);
    EXPECT_EQ(window->frames, before + 1);
    EXPECT_EQ(window->pictures, 0);
    EXPECT_EQ(window->lastOverlay.pixel(110, 110), qRgba(0, 0, 0, 8 * 17));
    EXPECT_EQ(window->lastOverlay.pixel(130, 110), qRgba(255, 255, 255, 255));
}
