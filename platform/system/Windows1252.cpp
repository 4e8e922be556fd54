// Windows-1252: Latin-1 with its own characters at 0x80 to 0x9F.
#include "platform/system/Windows1252.h"

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

// Windows-1252's characters at 0x80 to 0x9F; zero where the code page has none.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<QByteArray> ToWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(char(u));
            continue;
        }
        const auto* found = std::find(std::begin(kHighControls), std::end(kHighControls), u);
        if (found == std::end(kHighControls))
            return std::nullopt;
        bytes.append(char(0x80 + (found - std::begin(kHighControls))));
    }
    return bytes;
}

QString FromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const quint8 b = quint8(byte);
        if (b >= 0x80 && b < 0xA0)
            text.append(kHighControls[b - 0x80] ? QChar(kHighControls[b - 0x80]) : QChar(0xFFFD));
        else
            text.append(QChar(b));
    }
    return text;
}

}  // namespace platform
