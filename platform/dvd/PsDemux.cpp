#include "platform/dvd/PsDemux.h"

namespace dvd {
namespace {

bool StartCodeAt(const uint8_t* p, size_t left)
{
    return left >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1;
}

int64_t ReadTimestamp(const uint8_t* p)
{
    return int64_t(p[0] & 0x0E) << 29 | int64_t(p[1]) << 22 | int64_t(p[2] & 0xFE) << 14 | int64_t(p[3]) << 7
           | int64_t(p[4] >> 1);
}

// Fills kind, substream and number, and moves the payload past the substream header.
bool Classify(EsPayload& es)
{
    const uint8_t id = es.streamId;
    if (id >= 0xE0 && id <= 0xEF) {
        es.kind = EsKind::Video;
        es.number = id - 0xE0;
        return true;
    }
    if (id >= 0xC0 && id <= 0xDF) {
        es.kind = EsKind::Mpa;
        es.number = id - 0xC0;
        return true;
    }
    if (id == 0xBF) {
        es.kind = EsKind::Nav;
        return true;
    }
    if (id != 0xBD || es.size < 1)
        return false;
    const uint8_t sub = es.data[0];
    es.substream = sub;
    size_t skip = 1;
    if (sub >= 0x20 && sub <= 0x3F) {
        es.kind = EsKind::Subpicture;
        es.number = sub - 0x20;
    } else if (sub >= 0x80 && sub <= 0x87) {
        es.kind = EsKind::Ac3;
        es.number = sub - 0x80;
        skip = 4;  // substream, frame count, first access unit
    } else if (sub >= 0x88 && sub <= 0x8F) {
        es.kind = EsKind::Dts;
        es.number = sub - 0x88;
        skip = 4;
    } else if (sub >= 0xA0 && sub <= 0xA7) {
        es.kind = EsKind::Lpcm;
        es.number = sub - 0xA0;
        skip = 7;  // substream, frame count, first access unit, emphasis/mute/frame, format, dynamic range
        if (es.size >= 7) {
            es.lpcmHeader[0] = es.data[4];
            es.lpcmHeader[1] = es.data[5];
            es.lpcmHeader[2] = es.data[6];
        }
    } else {
        es.kind = EsKind::Other;
    }
    if (es.size < skip)
        return false;
    es.data += skip;
    es.size -= skip;
    return true;
}

}  // namespace

bool DemuxPack(const uint8_t* block, size_t size, const std::function<void(const EsPayload&)>& out)
{
    if (!block || size < 14 || !StartCodeAt(block, size) || block[3] != 0xBA)
        return false;
    size_t pos;
    if ((block[4] & 0xC0) == 0x40) {
        pos = 14 + (block[13] & 0x07);  // MPEG-2 pack header and its stuffing
    } else if ((block[4] & 0xF0) == 0x20) {
        pos = 12;  // MPEG-1 pack header
    } else {
        return false;
    }
    while (pos + 6 <= size && StartCodeAt(block + pos, size - pos)) {
        const uint8_t id = block[pos + 3];
        if (id == 0xB9)  // end of program stream
            break;
        const size_t length = size_t(block[pos + 4]) << 8 | block[pos + 5];
        const size_t start = pos + 6;
        const size_t end = start + length;
        if (end > size)
            break;  // a packet that runs past the pack is damaged: drop it and the rest
        pos = end;
        if (id == 0xBA || id == 0xBB || id == 0xBE || id < 0xBA)
            continue;  // headers, padding, or not a stream
        EsPayload es;
        es.streamId = id;
        if (id == 0xBF || id == 0xBC) {
            es.data = block + start;
            es.size = length;
        } else {
            // MPEG-2 PES header: flags, flags, header length, then optional fields.
            if (length < 3 || (block[start] & 0xC0) != 0x80)
                continue;
            const uint8_t flags = block[start + 1];
            const size_t headerLength = block[start + 2];
            if (3 + headerLength > length)
                continue;
            const uint8_t* fields = block + start + 3;
            if ((flags & 0x80) && headerLength >= 5)
                es.pts = ReadTimestamp(fields);
            if ((flags & 0xC0) == 0xC0 && headerLength >= 10)
                es.dts = ReadTimestamp(fields + 5);
            es.data = block + start + 3 + headerLength;
            es.size = length - 3 - headerLength;
        }
        if (Classify(es))
            out(es);
    }
    return true;
}

}  // namespace dvd
