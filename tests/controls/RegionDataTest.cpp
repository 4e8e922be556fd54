#include "controls/RegionData.h"
#include "controls/RotateRGN1.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(RegionData, RoundTripThroughBytesAndText)
{
    const QRegion r = QRegion(0, 0, 10, 10) + QRegion(0, 10, 5, 10) + QRegion(-300, 70000, 2, 2);
    const QByteArray data = RegionToData(r);
    EXPECT_EQ(data.size(), 32 + 16 * r.rectCount());
    EXPECT_EQ(RegionFromData(data), r);
    const QString text = EncodeRegionString(data);
    EXPECT_EQ(text.size(), 2 * data.size());
    EXPECT_EQ(DecodeRegionString(text), data);
    EXPECT_EQ(RegionFromString(text), r);
}

TEST(RegionData, TextDecodingRules)
{
    // "!" escapes: second code - 128 modulo 256; other pairs give their first character.
    const QString text = QString(u'!') + QChar(0x80) + u'A' + u' ' + u'!' + u'!' + u'!' + QChar(0xFF);
    EXPECT_EQ(DecodeRegionString(text), QByteArray("\0A\xA1\x7F", 4));
    EXPECT_EQ(DecodeRegionString(QStringLiteral("abc")), QByteArray("a"));  // odd tail ignored
    EXPECT_TRUE(DecodeRegionString(QString()).isEmpty());
}

TEST(RegionData, InvalidBlocksAreRejected)
{
    QByteArray good = RegionToData(QRegion(1, 2, 3, 4));
    EXPECT_TRUE(RegionFromData(good));
    EXPECT_FALSE(RegionFromData(good.left(31)));
    QByteArray badSize = good;
    badSize[0] = 31;
    EXPECT_FALSE(RegionFromData(badSize));
    QByteArray badType = good;
    badType[4] = 2;
    EXPECT_FALSE(RegionFromData(badType));
    QByteArray tooMany = good;
    tooMany[8] = 2;  // claims two rectangles, holds one
    EXPECT_FALSE(RegionFromData(tooMany));
    QByteArray huge = good;
    huge[11] = char(0x7F);
    EXPECT_FALSE(RegionFromData(huge));
    // A header with no rectangles is valid and empty; inverted rectangles add nothing.
    QByteArray none = good.left(32);
    none[8] = 0;
    ASSERT_TRUE(RegionFromData(none));
    EXPECT_TRUE(RegionFromData(none)->isEmpty());
    const RegionRect inverted[] = {{10, 10, 0, 0}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
    const QRegion clamped = RegionFromRects(inverted);
    EXPECT_FALSE(clamped.isEmpty());
    EXPECT_FALSE(clamped.contains(QPoint(INT_MAX - 1, 0)));
}

TEST(RegionData, GarbageNeverCrashes)
{
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> byte(0, 255), len(0, 400);
    const QByteArray valid = RegionToData(QRegion(0, 0, 10, 10) + QRegion(5, 10, 10, 10));
    for (int i = 0; i < 3000; ++i) {
        QByteArray buf;
        if (i % 3 == 0) {
            // Mutate a valid block so the parser gets past its header checks.
            buf = valid;
            for (int k = 0; k < 4; ++k)
                buf[std::size_t(byte(rng)) % std::size_t(buf.size())] = char(byte(rng));
        } else {
            const int n = len(rng);
            for (int k = 0; k < n; ++k)
                buf.append(char(byte(rng)));
        }
        FuzzStringButtonRegion(reinterpret_cast<const uint8_t*>(buf.constData()), std::size_t(buf.size()));
        const QString text = EncodeRegionString(buf);
        const QByteArray latin = text.toLatin1();
        FuzzStringButtonRegion(reinterpret_cast<const uint8_t*>(latin.constData()), std::size_t(latin.size()));
    }
    SUCCEED();
}

}  // namespace
