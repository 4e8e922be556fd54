// The skin record's bytes, its defaults and its colours.
#include "panel/SkinRecord.h"

#include "platform/system/Windows1252.h"

#include <QGuiApplication>
#include <QPalette>
#include <QtEndian>

namespace {


constexpr int kNameOffsets[8] = {0, 256, 512, 768, 1024, 1280, 1536, 1792};
constexpr int kFontNameOffset = 2168;

void PutInt(QByteArray& bytes, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, bytes.data() + offset);
}

qint32 GetInt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

bool PutString(QByteArray& bytes, int offset, const QString& text)
{
    const std::optional<QByteArray> encoded = platform::ToWindows1252(text.left(SkinRecord::kPathBytes));
    if (!encoded)
        return false;
    bytes[offset] = char(encoded->size());
    std::copy(encoded->begin(), encoded->end(), bytes.begin() + offset + 1);
    return true;
}

QString GetString(const QByteArray& bytes, int offset)
{
    const int length = quint8(bytes[offset]);
    return platform::FromWindows1252(bytes.mid(offset + 1, length));
}

// The place whose X is at `offset` in the record (its Y follows).
QPoint& PlaceAt(SkinRecord& record, int offset)
{
    switch (offset) {
    case 2048: return record.ButtonAt[SkinRecord::Previous];
    case 2056: return record.ButtonAt[SkinRecord::Rewind];
    case 2064: return record.HelpAt;
    case 2072: return record.FullScreenFirstAt;
    case 2080: return record.ButtonAt[SkinRecord::Pause];
    case 2088: return record.ButtonAt[SkinRecord::Play];
    case 2096: return record.ButtonAt[SkinRecord::Stop];
    case 2104: return record.ButtonAt[SkinRecord::Forward];
    case 2112: return record.ButtonAt[SkinRecord::Next];
    case 2120: return record.QuitAt;
    case 2128: return record.SkinEditorAt;
    case 2136: return record.StatusAt;
    default: return record.FullScreenAt;  // 2148
    }
}

constexpr int kPlaceOffsets[] = {2048, 2056, 2064, 2072, 2080, 2088, 2096, 2104, 2112, 2120, 2128, 2136, 2148};

}  // namespace

QColor ColourOf(quint32 value)
{
    if (value & SkinRecord::kSystemColour) {
        const QPalette palette = QGuiApplication::palette();
        switch (value & 0xFF) {
        case 5: return palette.color(QPalette::Base);             // window background
        case 8: return palette.color(QPalette::WindowText);       // window text
        case 13: return palette.color(QPalette::Highlight);
        case 14: return palette.color(QPalette::HighlightedText);
        case 15: return palette.color(QPalette::Button);          // button face
        case 18: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 RecordColourOf(const QColor& colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

SkinRecord::SkinRecord()
    : ButtonAt{QPoint(8, 90), QPoint(40, 90), QPoint(66, 90), QPoint(92, 90), QPoint(117, 90), QPoint(144, 90),
               QPoint(170, 90)}
{
}

SkinRecord SkinRecord::Defaults(const QString& programFolder)
{
    static const char* const names[ButtonCount] = {"prec.bmp", "remb.bmp", "pause.bmp", "lect.bmp",
                                                   "stop.bmp", "av.bmp",   "suiv.bmp"};
    SkinRecord record;
    record.Background = programFolder + QStringLiteral("interface.bmp");
    for (int i = 0; i < ButtonCount; ++i)
        record.Buttons[i] = programFolder + QString::fromLatin1(names[i]);
    return record;
}

QString SkinRecord::Unrepresentable() const
{
    for (const QString* text : {&Background, &Buttons[0], &Buttons[1], &Buttons[2], &Buttons[3], &Buttons[4],
                                &Buttons[5], &Buttons[6], &FontName})
        if (!platform::ToWindows1252(text->left(kPathBytes)))
            return *text;
    return {};
}

std::optional<QByteArray> SkinRecord::ToBytes() const
{
    QByteArray bytes(kSize, '\0');
    bool representable = PutString(bytes, kNameOffsets[0], Background);
    for (int i = 0; i < ButtonCount; ++i)
        representable = PutString(bytes, kNameOffsets[i + 1], Buttons[i]) && representable;
    representable = PutString(bytes, kFontNameOffset, FontName) && representable;
    if (!representable)
        return std::nullopt;
    SkinRecord copy = *this;
    // The full-screen button's place is written twice, both the same.
    copy.FullScreenFirstAt = FullScreenAt;
    for (const int offset : kPlaceOffsets) {
        const QPoint place = PlaceAt(copy, offset);
        PutInt(bytes, offset, place.x());
        PutInt(bytes, offset + 4, place.y());
    }
    PutInt(bytes, 2144, FontSize);
    PutInt(bytes, 2156, qint32(TransparencyColour));
    PutInt(bytes, 2160, qint32(ScreenColour));
    PutInt(bytes, 2164, qint32(FontColour));
    return bytes;
}

std::optional<SkinRecord> SkinRecord::FromBytes(const QByteArray& bytes)
{
    if (bytes.size() < kSize)
        return std::nullopt;
    SkinRecord record;
    record.Background = GetString(bytes, kNameOffsets[0]);
    for (int i = 0; i < ButtonCount; ++i)
        record.Buttons[i] = GetString(bytes, kNameOffsets[i + 1]);
    for (const int offset : kPlaceOffsets)
        PlaceAt(record, offset) = QPoint(GetInt(bytes, offset), GetInt(bytes, offset + 4));
    record.FontSize = GetInt(bytes, 2144);
    record.TransparencyColour = quint32(GetInt(bytes, 2156));
    record.ScreenColour = quint32(GetInt(bytes, 2160));
    record.FontColour = quint32(GetInt(bytes, 2164));
    record.FontName = GetString(bytes, kFontNameOffset);
    return record;
}
