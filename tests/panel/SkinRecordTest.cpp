// The skin record's bytes as interface.dat holds them, and the outline cut from a face.
#include "panel/SkinOutline.h"
#include "panel/SkinRecord.h"

#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

qint32 IntAt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

SkinRecord Custom()
{
    SkinRecord record = SkinRecord::Defaults("/opt/peaux/");
    record.Background = "/home/élodie/peaux/fond.bmp";
    record.Buttons[SkinRecord::Play] = "/tmp/lecture€.bmp";
    for (int i = 0; i < SkinRecord::ButtonCount; ++i)
        record.ButtonAt[i] = QPoint(10 * i + 1, 80 + i);
    record.HelpAt = {1, 2};
    record.QuitAt = {3, 4};
    record.SkinEditorAt = {5, 6};
    record.StatusAt = {7, 8};
    record.FullScreenAt = {9, 10};
    record.FontSize = 11;
    record.TransparencyColour = 0x00FF00FF;
    record.ScreenColour = 0x00402814;
    record.FontColour = 0x0070E0FF;
    record.FontName = "DejaVu Sans";
    return record;
}

}  // namespace

TEST(SkinRecord, DefaultsAreTheDesignValues)
{
    const SkinRecord record = SkinRecord::Defaults("/opt/vistrel/");
    EXPECT_EQ(record.Background, "/opt/vistrel/interface.bmp");
    EXPECT_EQ(record.Buttons[SkinRecord::Previous], "/opt/vistrel/prec.bmp");
    EXPECT_EQ(record.Buttons[SkinRecord::Next], "/opt/vistrel/suiv.bmp");
    EXPECT_EQ(record.ButtonAt[SkinRecord::Pause], QPoint(66, 90));
    EXPECT_EQ(record.FullScreenFirstAt, QPoint(18, 23));
    EXPECT_EQ(record.FullScreenAt, QPoint(235, 89));
    EXPECT_EQ(record.TransparencyColour, 0x00FFFFFFu);
    EXPECT_EQ(record.ScreenColour, 0x00FFFF00u);
    EXPECT_EQ(record.FontColour, 0x80000008u);
    EXPECT_EQ(record.FontName, "Times New Roman");
    EXPECT_EQ(record.FontSize, 8);
}

TEST(SkinRecord, BytesFollowTheFileLayout)
{
    const SkinRecord record = Custom();
    const QByteArray bytes = *record.ToBytes();
    ASSERT_EQ(bytes.size(), 2424);
    // Short strings: a length byte, then Windows-1252 characters.
    EXPECT_EQ(quint8(bytes[0]), record.Background.size());
    EXPECT_EQ(bytes.mid(1, 7), QByteArray("/home/\xE9", 7));
    EXPECT_EQ(quint8(bytes[1024]), QString("/tmp/lecture€.bmp").size());
    EXPECT_TRUE(bytes.mid(1025, 17).contains('\x80')) << "the euro sign is 0x80 in the code page";
    EXPECT_EQ(IntAt(bytes, 2048), 1);     // previous-chapter X
    EXPECT_EQ(IntAt(bytes, 2052), 80);    // and Y
    EXPECT_EQ(IntAt(bytes, 2064), 1);     // help X
    EXPECT_EQ(IntAt(bytes, 2120), 3);     // quit X
    EXPECT_EQ(IntAt(bytes, 2140), 8);     // status display Y
    EXPECT_EQ(IntAt(bytes, 2144), 11);    // font size
    // The full-screen button's place is written twice, the same both times.
    EXPECT_EQ(IntAt(bytes, 2072), 9);
    EXPECT_EQ(IntAt(bytes, 2076), 10);
    EXPECT_EQ(IntAt(bytes, 2148), 9);
    EXPECT_EQ(IntAt(bytes, 2152), 10);
    EXPECT_EQ(quint32(IntAt(bytes, 2156)), 0x00FF00FFu);
    EXPECT_EQ(quint32(IntAt(bytes, 2164)), 0x0070E0FFu);
    EXPECT_EQ(quint8(bytes[2168]), 11);
    EXPECT_EQ(bytes.mid(2169, 11), "DejaVu Sans");
}

TEST(SkinRecord, SavedRecordLoadsBackFieldForField)
{
    SkinRecord record = Custom();
    record.FullScreenFirstAt = record.FullScreenAt;  // what a save makes of it
    const std::optional<SkinRecord> loaded = SkinRecord::FromBytes(*record.ToBytes());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, record);
    EXPECT_EQ(loaded->Background, "/home/élodie/peaux/fond.bmp");

    // A longer file is read as its first record; a shorter one is no record.
    QByteArray longer = *record.ToBytes() + QByteArray(100, '\x7f');
    EXPECT_EQ(*SkinRecord::FromBytes(longer), record);
    EXPECT_FALSE(SkinRecord::FromBytes(record.ToBytes()->left(2423)));
    EXPECT_FALSE(SkinRecord::FromBytes({}));
}

TEST(SkinRecord, LongPathsAreCutAndForeignCharactersRefused)
{
    SkinRecord record;
    record.Background = "/" + QString(300, 'a');
    const std::optional<SkinRecord> loaded = SkinRecord::FromBytes(*record.ToBytes());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Background.size(), 255);
    EXPECT_EQ(loaded->Background, record.Background.left(255));

    // A path the code page cannot hold is refused whole, never written mangled.
    record.Background = "/home/пользователь/fond.bmp";
    EXPECT_FALSE(record.ToBytes());
    EXPECT_EQ(record.Unrepresentable(), record.Background);
    record.Background = "/ok.bmp";
    record.FontName = "明朝";
    EXPECT_FALSE(record.ToBytes());
}

TEST(SkinRecord, ColoursAreRgbOrSystemColours)
{
    EXPECT_EQ(ColourOf(0x00FFFF00), QColor(0, 255, 255));  // aqua: 0x00BBGGRR
    EXPECT_EQ(ColourOf(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(RecordColourOf(QColor(0x12, 0x34, 0x56)), 0x00563412u);
    EXPECT_TRUE(ColourOf(0x80000008).isValid());
}

TEST(SkinOutline, OpaquePixelsMakeTheOutline)
{
    QImage face(20, 10, QImage::Format_RGB32);
    face.fill(Qt::white);
    // Nothing but the transparency colour: no outline at all.
    EXPECT_TRUE(OutlineOfFace(face, 0xFFFFFF).isEmpty());

    // A grey body with round-ish corners, the first and last rows and columns included.
    QPainter painter(&face);
    painter.fillRect(QRect(2, 0, 16, 10), QColor(128, 128, 128));
    painter.fillRect(QRect(0, 2, 20, 6), QColor(128, 128, 128));
    painter.end();
    face.setPixel(10, 5, qRgb(255, 255, 255));  // a hole
    const QRegion outline = OutlineOfFace(face, 0xFFFFFF);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(outline.contains(QPoint(x, y)), face.pixel(x, y) != qRgb(255, 255, 255)) << x << "," << y;
    // Rows that repeat the row above join its rectangles.
    EXPECT_LE(outline.rectCount(), 6);

    // A colour that differs by one in a channel is opaque.
    face.fill(Qt::white);
    face.setPixel(0, 0, qRgb(255, 255, 254));
    EXPECT_EQ(OutlineOfFace(face, 0xFFFFFF), QRegion(0, 0, 1, 1));
}
