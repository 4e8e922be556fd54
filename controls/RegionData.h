#pragma once
// The serialised form of a region: a 32-byte header (header size 32, type 1 for rectangles,
// rectangle count, byte size of the rectangles, bounding rectangle) followed by one 16-byte
// rectangle (left, top, right, bottom; right and bottom exclusive) per count, all little-endian
// 32-bit integers. The shaped button keeps such a block as text, two characters per byte.
#include <QByteArray>
#include <QRegion>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

// The region held by a region-data block, or nothing when the block is not valid region data.
std::optional<QRegion> RegionFromData(const QByteArray& data);
// The region-data block of a region.
QByteArray RegionToData(const QRegion& region);

// Text to bytes: a pair starting with "!" gives (code of the second character - 128) mod 256,
// any other pair the code of its first character. An odd last character is ignored.
QByteArray DecodeRegionString(const QString& text);
// Bytes to text that DecodeRegionString turns back into the same bytes. Printable ASCII bytes
// other than "!" stand for themselves (followed by a space); every other byte is escaped with "!".
QString EncodeRegionString(const QByteArray& bytes);

// Whole road from text to region; nothing when the text does not hold valid region data.
std::optional<QRegion> RegionFromString(const QString& text);

// Fuzzing entry: feeds arbitrary bytes through the text decoder and the region-data parser.
// Always returns 0; it must never crash, hang or allocate without bound.
int FuzzStringButtonRegion(const uint8_t* data, size_t size);
