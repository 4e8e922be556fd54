#pragma once
// Splits one 2048-byte DVD pack (an MPEG-2 program stream pack) into its elementary stream
// payloads. Everything is bounds-checked: a damaged pack yields what is whole in it and nothing
// else.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace dvd {

enum class EsKind { Video, Ac3, Dts, Lpcm, Mpa, Subpicture, Nav, Other };

struct EsPayload {
    EsKind kind = EsKind::Other;
    uint8_t streamId = 0;     // PES stream id (0xE0 video, 0xBD private 1, 0xC0.. MPEG audio, 0xBF nav)
    uint8_t substream = 0;    // private stream 1: 0x20.. sub-picture, 0x80.. AC-3, 0x88.. DTS, 0xA0.. LPCM
    int number = 0;           // the stream's number within its kind (0 for the first)
    int64_t pts = -1;         // 90 kHz ticks; -1 when the packet has none
    int64_t dts = -1;
    const uint8_t* data = nullptr;  // the elementary stream bytes, inside the pack
    size_t size = 0;
    // LPCM only: the header of the substream (quantisation, rate, channels in its second byte).
    uint8_t lpcmHeader[3] = {0, 0, 0};
};

// Calls `out` for each payload of the pack. Returns false when the block is no program stream pack.
bool DemuxPack(const uint8_t* block, size_t size, const std::function<void(const EsPayload&)>& out);

}  // namespace dvd
