// The DVD overlay on its way to the window: sub-pictures and highlights laid over the renderer's
// pictures without touching them, in a few reused pictures.
#include "../media/HoldingSink.h"
#include "platform/dvd/SubpictureSink.h"

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
    Highlight highlight;
    highlight.shown = true;
    highlight.left = 100;
    highlight.top = 100;
    highlight.right = 119;
    highlight.bottom = 119;
    highlight.colour = {0, 2, 0, 0};
    highlight.contrast = {0, 15, 0, 0};
    table[2] = 0x108080;  // black
    sink.setColourTable(table);
    sink.setHighlight(highlight);
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
