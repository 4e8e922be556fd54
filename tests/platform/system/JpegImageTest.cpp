#include "platform/system/JpegImage.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray SplashBytes()
{
    QFile file(qEnvironmentVariable("VISTREL_SOURCE") + QStringLiteral("/data/splash.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(JpegImage, DecodesTheSplashPictureAtItsSize)
{
    const QByteArray bytes = SplashBytes();
    ASSERT_FALSE(bytes.isEmpty());
    const QImage image = platform::DecodeJpeg(bytes);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(560, 194));
    // Deep blue at the left edge, the light disc at its centre (96, 97) minus the hole.
    const QColor edge = image.pixelColor(2, 180);
    EXPECT_LT(edge.red(), 60);
    EXPECT_GT(edge.blue(), edge.red());
    EXPECT_GT(image.pixelColor(96, 40).lightness(), 140);
    // In the screen's own layout, every word opaque (what drawing an RGB32 picture relies on).
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    for (int y : {0, 97, 193}) {
        const auto* words = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(qAlpha(words[x]), 255) << x << "," << y;
    }
}

TEST(JpegImage, RefusesDamagedInputWithoutCrashing)
{
    const QByteArray bytes = SplashBytes();
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(platform::DecodeJpeg({}).isNull());
    EXPECT_TRUE(platform::DecodeJpeg("not a picture at all").isNull());
    EXPECT_TRUE(platform::DecodeJpeg(bytes.left(2)).isNull());
    EXPECT_TRUE(platform::LoadJpegFile(QStringLiteral("/nonexistent/splash.jpg")).isNull());
    // A truncated file decodes what it has (libjpeg fills the rest) or fails: never crashes.
    const QImage truncated = platform::DecodeJpeg(bytes.left(bytes.size() / 2));
    if (!truncated.isNull()) {
        EXPECT_EQ(truncated.size(), QSize(560, 194));
    }
    // Noise after a valid header.
    QByteArray noisy = bytes;
    for (int i = 700; i < noisy.size(); i += 7)
        noisy[i] = char(noisy[i] ^ 0x5A);
    (void)platform::DecodeJpeg(noisy);
}
