#include "controls/RegionData.h"

#include "controls/RotateRGN1.h"

#include <QtEndian>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRectSize = 16;
constexpr quint32 kRectanglesType = 1;

qint32 readInt(const QByteArray& data, std::size_t at)
{
    return qFromLittleEndian<qint32>(data.constData() + at);
}

void appendInt(QByteArray& out, qint32 v)
{
    char buf[4];
    qToLittleEndian<qint32>(v, buf);
    out.append(buf, 4);
}

}  // namespace

std::optional<QRegion> RegionFromData(const QByteArray& data)
{
    const std::size_t size = std::size_t(data.size());
    if (size < kHeaderSize)
        return std::nullopt;
    if (quint32(readInt(data, 0)) != kHeaderSize || quint32(readInt(data, 4)) != kRectanglesType)
        return std::nullopt;
    const quint32 count = quint32(readInt(data, 8));
    // The count is checked against the bytes present before anything is allocated.
    if (count > (size - kHeaderSize) / kRectSize)
        return std::nullopt;
    std::vector<RegionRect> rects;
    rects.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + std::size_t(i) * kRectSize;
        rects.push_back({readInt(data, at), readInt(data, at + 4), readInt(data, at + 8), readInt(data, at + 12)});
    }
    return RegionFromRects(rects);
}

QByteArray RegionToData(const QRegion& region)
{
    const std::vector<RegionRect> rects = RegionRects(region);
    const QRect bound = region.boundingRect();
    QByteArray out;
    appendInt(out, qint32(kHeaderSize));
    appendInt(out, qint32(kRectanglesType));
    appendInt(out, qint32(rects.size()));
    appendInt(out, qint32(rects.size() * kRectSize));
    appendInt(out, bound.left());
    appendInt(out, bound.top());
    appendInt(out, bound.left() + bound.width());
    appendInt(out, bound.top() + bound.height());
    for (const RegionRect& r : rects) {
        appendInt(out, r.left);
        appendInt(out, r.top);
        appendInt(out, r.right);
        appendInt(out, r.bottom);
    }
    return out;
}

QByteArray DecodeRegionString(const QString& text)
{
    QByteArray bytes;
    const qsizetype pairs = text.size() / 2;
    bytes.reserve(pairs);
    for (qsizetype i = 0; i < pairs; ++i) {
        const QChar first = text[2 * i], second = text[2 * i + 1];
        if (first == u'!')
            bytes.append(char((second.unicode() - 128) & 0xFF));
        else
            bytes.append(char(first.unicode() & 0xFF));
    }
    return bytes;
}

QString EncodeRegionString(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const int b = static_cast<unsigned char>(c);
        if (b > 32 && b < 127 && b != '!') {
            text += QChar(b);
            text += u' ';
        } else {
            text += u'!';
            text += QChar((b + 128) & 0xFF);
        }
    }
    return text;
}

std::optional<QRegion> RegionFromString(const QString& text)
{
    return RegionFromData(DecodeRegionString(text));
}

int FuzzStringButtonRegion(const uint8_t* data, size_t size)
{
    // Latin-1 keeps every input byte as one character, the way the text reaches the button.
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto region = RegionFromString(text))
        (void)RegionToOutlines(*region);
    (void)RegionFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
