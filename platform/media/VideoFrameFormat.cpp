// Plane layouts of the pixel formats drawn without conversion, and their colour conversion.
#include "platform/media/VideoFrameFormat.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

namespace media {

std::optional<FrameLayout> frameLayout(int pixelFormat, bool sixteenBit)
{
    FrameLayout layout;
    switch (AVPixelFormat(pixelFormat)) {
    case AV_PIX_FMT_YUV420P:
    case AV_PIX_FMT_YUVJ420P:
        return layout;
    case AV_PIX_FMT_YUV422P:
    case AV_PIX_FMT_YUVJ422P:
        layout.chromaShiftY = 0;
        return layout;
    case AV_PIX_FMT_YUV444P:
    case AV_PIX_FMT_YUVJ444P:
        layout.chromaShiftX = layout.chromaShiftY = 0;
        return layout;
    case AV_PIX_FMT_NV12:
        layout.planes = 2;
        return layout;
    default:
        break;
    }
    if (!sixteenBit)
        return std::nullopt;
    layout.bits = 10;
    layout.bytesPerSample = 2;
    switch (AVPixelFormat(pixelFormat)) {
    case AV_PIX_FMT_YUV420P10LE:
        return layout;
    case AV_PIX_FMT_YUV422P10LE:
        layout.chromaShiftY = 0;
        return layout;
    case AV_PIX_FMT_YUV444P10LE:
        layout.chromaShiftX = layout.chromaShiftY = 0;
        return layout;
    case AV_PIX_FMT_P010LE:
        layout.planes = 2;
        layout.highBits = true;
        return layout;
    default:
        return std::nullopt;
    }
}

ColourMatrix colourMatrix(int colorspace, int width, int height)
{
    switch (AVColorSpace(colorspace)) {
    case AVCOL_SPC_BT709:
        return ColourMatrix::Bt709;
    case AVCOL_SPC_BT470BG:
    case AVCOL_SPC_SMPTE170M:
    case AVCOL_SPC_FCC:
    case AVCOL_SPC_SMPTE240M:
        return ColourMatrix::Bt601;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return ColourMatrix::Bt2020;
    default:
        return width > 1024 || height > 576 ? ColourMatrix::Bt709 : ColourMatrix::Bt601;
    }
}

bool fullRange(int colorRange, int pixelFormat)
{
    if (colorRange == AVCOL_RANGE_JPEG)
        return true;
    if (colorRange == AVCOL_RANGE_MPEG)
        return false;
    switch (AVPixelFormat(pixelFormat)) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
        return true;
    default:
        return false;
    }
}

ColourConversion colourConversion(ColourMatrix standard, bool full, const FrameLayout& layout)
{
    double kr = 0.299, kb = 0.114;
    if (standard == ColourMatrix::Bt709) {
        kr = 0.2126;
        kb = 0.0722;
    } else if (standard == ColourMatrix::Bt2020) {
        kr = 0.2627;
        kb = 0.0593;
    }
    const double kg = 1.0 - kr - kb;
    // Y'CbCr (Y' 0..1, Cb and Cr -0.5..0.5) to R'G'B'.
    const double k[9] = {1.0, 0.0,                       2.0 * (1.0 - kr),
                         1.0, -2.0 * kb * (1.0 - kb) / kg, -2.0 * kr * (1.0 - kr) / kg,
                         1.0, 2.0 * (1.0 - kb),          0.0};
    // A texture sample s (0..1 of its word) holds the code s * wordMax (>> 6 for high-bit words).
    const double maxCode = double((1 << layout.bits) - 1);
    const double wordMax = layout.bytesPerSample == 2 ? 65535.0 : 255.0;
    const double toCode = layout.highBits ? wordMax / 64.0 : wordMax;
    const double step = double(1 << (layout.bits - 8));  // one 8-bit code in this depth's codes
    double ya, yb, ca, cb;  // y' = ya * s + yb, c = ca * s + cb
    if (full) {
        ya = toCode / maxCode;
        yb = 0.0;
        ca = toCode / maxCode;
        cb = -128.0 * step / maxCode;
    } else {
        ya = toCode / (219.0 * step);
        yb = -16.0 / 219.0;
        ca = toCode / (224.0 * step);
        cb = -128.0 / 224.0;
    }
    ColourConversion c;
    for (int row = 0; row < 3; ++row) {
        const double* m = k + row * 3;
        c.matrix[size_t(row * 3 + 0)] = float(m[0] * ya);
        c.matrix[size_t(row * 3 + 1)] = float(m[1] * ca);
        c.matrix[size_t(row * 3 + 2)] = float(m[2] * ca);
        c.offset[size_t(row)] = float(m[0] * yb + (m[1] + m[2]) * cb);
    }
    return c;
}

ColourConversion colourConversion(const AVFrame& frame, const FrameLayout& layout)
{
    return colourConversion(colourMatrix(frame.colorspace, frame.width, frame.height),
                            fullRange(frame.color_range, frame.format), layout);
}

}  // namespace media
