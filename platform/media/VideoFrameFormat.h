#pragma once
// What an output that draws the decoder's planes itself needs to know about a picture: how its
// planes are laid out (which pixel formats are drawn as they come) and which matrix and range turn
// its samples into RGB. Pure functions, no drawing.
#include <array>
#include <optional>

struct AVFrame;

namespace media {

// The planes of a YUV picture as textures hold them.
struct FrameLayout {
    int planes = 3;           // 3: Y, U, V planes; 2: Y plane then interleaved U/V (NV12, P010)
    int bits = 8;             // significant bits per sample (8 or 10)
    int bytesPerSample = 1;   // 1, or 2 for samples stored in 16-bit words
    bool highBits = false;    // the samples sit in the high bits of their word (P010)
    int chromaShiftX = 1;     // chroma planes are width >> shift wide (rounded up)
    int chromaShiftY = 1;
};

// The layout of a pixel format (an AVPixelFormat value) drawn as it comes; none for formats that
// must first be converted. `sixteenBit`: whether the output can hold 16-bit samples.
std::optional<FrameLayout> frameLayout(int pixelFormat, bool sixteenBit);

// The standard a picture's colours were coded in.
enum class ColourMatrix { Bt601, Bt709, Bt2020 };

// The matrix of a picture: the stream's own when it says one, otherwise BT.709 for HD sizes (wider
// than 1024 or taller than 576) and BT.601 for SD.
ColourMatrix colourMatrix(int colorspace, int width, int height);
// Whether the samples use the full 0..255 range: the stream says so, or the format is one of the
// "J" (JPEG) formats; limited (16..235) otherwise.
bool fullRange(int colorRange, int pixelFormat);

// rgb = matrix * (y, u, v) + offset, for samples as a texture reads them (0..1 of the word).
struct ColourConversion {
    std::array<float, 9> matrix{};  // row-major: matrix[row * 3 + column]
    std::array<float, 3> offset{};
};

ColourConversion colourConversion(ColourMatrix standard, bool full, const FrameLayout& layout);
// The conversion for a decoded picture (its layout must be known).
ColourConversion colourConversion(const AVFrame& frame, const FrameLayout& layout);

}  // namespace media
