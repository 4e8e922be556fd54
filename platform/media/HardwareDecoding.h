#pragma once
// Optional hardware decoding of pictures through FFmpeg's VA-API device. Off unless
// VISTREL_HWDEC=vaapi (VISTREL_VAAPI_DEVICE may name the render node; the driver's default
// otherwise). Any failure falls back to software decoding: no device, a codec without a VA-API
// path, a decoder that will not open with it, or a picture that cannot be brought back to memory.
#include <string>

struct AVCodec;
struct AVCodecContext;
struct AVFrame;

namespace media {

enum class HardwareDecoding { Off, Vaapi };

// What a setting asks for: "vaapi" (any case) or anything else (off).
HardwareDecoding parseHardwareDecoding(const char* setting);
// The setting from VISTREL_HWDEC.
HardwareDecoding hardwareDecodingSetting();

// Gives `ctx` (not yet opened) a VA-API device and the format choice that takes VA-API surfaces
// when the decoder offers them. False, with the reason in `why` and `ctx` untouched, when the
// codec has no VA-API path or no device opens.
bool attachVaapi(AVCodecContext* ctx, const AVCodec* codec, std::string& why);

// Replaces a picture held in VA-API surfaces by the same picture in memory (NV12, or P010 for
// 10-bit), its timing and colour description kept. True for pictures already in memory; false,
// with `frame` unchanged, when the transfer fails.
bool downloadFrame(AVFrame* frame);

}  // namespace media
