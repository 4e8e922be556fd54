#include "controls/VOzariPaint.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

TEST(ColourRules, LighterDarkerBrightness)
{
    EXPECT_EQ(Darker(Darker(Qt::white)), QColor(191, 191, 191));
    const QColor navy(0, 0, 128);
    EXPECT_EQ(Brightness(navy), 128);
    EXPECT_TRUE(IsDark(navy));
    EXPECT_EQ(Lighter(Lighter(navy)), QColor(64, 64, 192));
    EXPECT_EQ(Brightness(Qt::white), 765);
    EXPECT_FALSE(IsDark(QColor(120, 120, 121)));
    EXPECT_TRUE(IsDark(QColor(120, 120, 120)));
    EXPECT_EQ(Lighter(QColor(223, 224, 0)), QColor(255, 255, 32));
    EXPECT_EQ(Darker(QColor(31, 32, 255)), QColor(0, 0, 223));
    EXPECT_EQ(Interpolate(QColor(0, 100, 200), QColor(10, 0, 200), 1, 3), QColor(3, 67, 200));
    EXPECT_EQ(Interpolate(QColor(1, 2, 3), QColor(9, 9, 9), 5, 0), QColor(1, 2, 3));
}

TEST(LinearGradient, LineCountDirectionAndColours)
{
    const GradientSource src{QColor(0, 0, 0), QColor(240, 120, 60), {}, 0, 0};
    const auto diag = LinearGradientLines(25, 25, 450, src);
    ASSERT_EQ(diag.size(), 13u);
    EXPECT_EQ(diag.front().colour, QColor(0, 0, 0));
    EXPECT_EQ(diag.back().colour, QColor(240, 120, 60));
    // The first line runs through the top-left corner, perpendicular to the diagonal.
    EXPECT_EQ(diag.front().from, QPoint(12, -12));
    EXPECT_EQ(diag.front().to, QPoint(-12, 12));

    // 0: top to bottom, horizontal lines; 900: left to right, vertical lines.
    const auto down = LinearGradientLines(30, 12, 0, src);
    ASSERT_EQ(down.size(), 5u);
    EXPECT_EQ(down[1].from.y(), 3);
    EXPECT_EQ(down[1].from.y(), down[1].to.y());
    const auto across = LinearGradientLines(30, 12, 900, src);
    ASSERT_EQ(across.size(), 11u);
    EXPECT_EQ(across[2].from.x(), 6);
    EXPECT_EQ(across[2].from.x(), across[2].to.x());
}

TEST(LinearGradient, SampledBitmapColours)
{
    QImage strip(4, 2, QImage::Format_RGB888);
    for (int x = 0; x < 4; ++x) {
        strip.setPixelColor(x, 0, QColor(10 * x, 0, 0));
        strip.setPixelColor(x, 1, QColor(0, 100, 0));
    }
    GradientSource src{Qt::white, Qt::black, strip, 1, 1};
    EXPECT_EQ(src.at(2, 4), QColor(32, 132, 32));  // row 1, Lighter
    src.line = 5;                                   // beyond the bitmap: row 0
    src.mode = -1;
    EXPECT_EQ(src.at(3, 4), QColor(0, 0, 0));       // column 3: (30,0,0) darker
    src.mode = 0;
    EXPECT_EQ(src.at(3, 4), QColor(30, 0, 0));
    EXPECT_EQ(src.at(4, 4), QColor(30, 0, 0));      // the last step stays inside
    EXPECT_EQ(src.at(0, 0), QColor(0, 0, 0));       // no steps: first column
}

TEST(Gradient, PaintsBothEndsOfTheBox)
{
    QImage img(25, 25, QImage::Format_RGB888);
    img.fill(Qt::magenta);
    {
        QPainter p(&img);
        DrawGradient(p, gkLinear, 25, 25, 450, {QColor(128, 128, 0), QColor(255, 255, 0), {}, 0, 0});
    }
    EXPECT_EQ(img.pixelColor(0, 0), QColor(128, 128, 0));
    EXPECT_EQ(img.pixelColor(24, 24), QColor(255, 255, 0));
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x)
            ASSERT_NE(img.pixelColor(x, y), QColor(Qt::magenta)) << x << "," << y;

    QImage circ(31, 31, QImage::Format_RGB888);
    circ.fill(Qt::magenta);
    {
        QPainter p(&circ);
        DrawGradient(p, gkCircular, 31, 31, 0, {QColor(0, 0, 255), QColor(255, 0, 0), {}, 0, 0});
    }
    EXPECT_EQ(circ.pixelColor(15, 15), QColor(0, 0, 255));  // first colour at the centre
    EXPECT_EQ(circ.pixelColor(0, 0), QColor(255, 0, 0));     // second colour outermost
}

TEST(FrameRegion, OnePixelInsideTheBoundary)
{
    const QRegion f = FrameRegion(QRegion(0, 0, 10, 6));
    EXPECT_TRUE(f.contains(QPoint(0, 0)));
    EXPECT_TRUE(f.contains(QPoint(9, 5)));
    EXPECT_TRUE(f.contains(QPoint(4, 5)));
    EXPECT_FALSE(f.contains(QPoint(1, 1)));
    EXPECT_FALSE(f.contains(QPoint(10, 5)));
    EXPECT_TRUE(FrameRegion(QRegion()).isEmpty());
}

TEST(GlyphCopy, ColourKeyClippingAndMerge)
{
    QImage glyph(3, 2, QImage::Format_RGB888);
    glyph.fill(QColor(255, 0, 255));  // the key: top-left pixel
    glyph.setPixelColor(1, 0, QColor(10, 20, 30));
    glyph.setPixelColor(2, 1, QColor(200, 100, 50));
    QImage face(4, 4, QImage::Format_RGB888);
    face.fill(Qt::white);
    CopyGlyph(face, QPoint(1, 1), glyph, glyph.rect(), true);
    EXPECT_EQ(face.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(face.pixelColor(2, 1), QColor(10, 20, 30));
    EXPECT_EQ(face.pixelColor(3, 2), QColor(200, 100, 50));

    // Plain copy, partly outside both images.
    face.fill(Qt::white);
    CopyGlyph(face, QPoint(-1, 3), glyph, glyph.rect(), false);
    EXPECT_EQ(face.pixelColor(0, 3), QColor(10, 20, 30));
    EXPECT_EQ(face.pixelColor(1, 3), QColor(255, 0, 255));
    // A source rectangle moved up-left of the glyph copies only what exists.
    face.fill(Qt::white);
    CopyGlyph(face, QPoint(0, 0), glyph, glyph.rect().translated(-1, -1), false);
    EXPECT_EQ(face.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(face.pixelColor(2, 1), QColor(10, 20, 30));

    face.fill(Qt::white);
    MergeCopyGlyph(face, QPoint(0, 0), glyph, glyph.rect(), QColor(0x0F, 0xF0, 0xFF));
    EXPECT_EQ(face.pixelColor(1, 0), QColor(10 & 0x0F, 20 & 0xF0, 30));
    CopyGlyph(face, QPoint(0, 0), QImage(), QRect(0, 0, 5, 5), true);  // nothing to copy
}

TEST(Caption, AcceleratorMarks)
{
    auto pieces = CaptionPieces(QStringLiteral("&Aide"));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text, QStringLiteral("A"));
    EXPECT_TRUE(pieces[0].underline);
    EXPECT_EQ(pieces[1].text, QStringLiteral("ide"));
    EXPECT_FALSE(pieces[1].underline);

    pieces = CaptionPieces(QStringLiteral("R&&D"));
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].text, QStringLiteral("R&D"));

    pieces = CaptionPieces(QStringLiteral("Fin&"));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].text, QStringLiteral(" "));
    EXPECT_TRUE(pieces[1].underline);
    EXPECT_TRUE(CaptionPieces(QString()).empty());
}

TEST(Caption, RotatedTextBox)
{
    const RotatedTextBox flat = TextBox(40, 10, 0);
    EXPECT_EQ(QSize(flat.width, flat.height), QSize(40, 10));
    EXPECT_EQ(flat.corner, QPoint(0, 0));
    // Reading upward: the text starts at the bottom-left of its box.
    const RotatedTextBox up = TextBox(40, 10, 900);
    EXPECT_EQ(QSize(up.width, up.height), QSize(10, 40));
    EXPECT_EQ(up.corner, QPoint(0, 40));
    const RotatedTextBox upside = TextBox(40, 10, 1800);
    EXPECT_EQ(upside.corner, QPoint(40, 10));
    const RotatedTextBox down = TextBox(40, 10, -900);
    EXPECT_EQ(down.corner, QPoint(10, 0));
}

}  // namespace
