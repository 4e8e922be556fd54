// VA-API decoding through FFmpeg's hardware device, and the way back to memory.
#include "platform/media/HardwareDecoding.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/hwcontext.h>
#include <libavutil/pixdesc.h>
}

#include <QByteArray>
#include <QString>

namespace media {
namespace {

// VA-API surfaces when offered, otherwise the decoder's own first choice of software format.
AVPixelFormat pickFormat(AVCodecContext*, const AVPixelFormat* formats)
{
    const AVPixelFormat* p = formats;
    for (; *p != AV_PIX_FMT_NONE; ++p)
        if (*p == AV_PIX_FMT_VAAPI)
            return *p;
    for (p = formats; *p != AV_PIX_FMT_NONE; ++p) {
        const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(*p);
        if (d && !(d->flags & AV_PIX_FMT_FLAG_HWACCEL))
            return *p;
    }
    return AV_PIX_FMT_NONE;
}

}  // namespace

HardwareDecoding parseHardwareDecoding(const char* setting)
{
    return setting && QString::fromLatin1(setting).trimmed().compare(QLatin1String("vaapi"), Qt::CaseInsensitive) == 0
               ? HardwareDecoding::Vaapi
               : HardwareDecoding::Off;
}

HardwareDecoding hardwareDecodingSetting()
{
    const QByteArray setting = qgetenv("VISTREL_HWDEC");
    return parseHardwareDecoding(setting.constData());
}

bool attachVaapi(AVCodecContext* ctx, const AVCodec* codec, std::string& why)
{
    bool supported = false;
    for (int i = 0;; ++i) {
        const AVCodecHWConfig* config = avcodec_get_hw_config(codec, i);
        if (!config)
            break;
        if (config->device_type == AV_HWDEVICE_TYPE_VAAPI
            && (config->methods & AV_CODEC_HW_CONFIG_METHOD_HW_DEVICE_CTX))
            supported = true;
    }
    if (!supported) {
        why = std::string("no VA-API decoding for ") + codec->name;
        return false;
    }
    const QByteArray device = qgetenv("VISTREL_VAAPI_DEVICE");
    AVBufferRef* hardware = nullptr;
    const int ret = av_hwdevice_ctx_create(&hardware, AV_HWDEVICE_TYPE_VAAPI,
                                           device.isEmpty() ? nullptr : device.constData(), nullptr, 0);
    if (ret < 0 || !hardware) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(ret, text, sizeof text);
        why = std::string("no VA-API device (") + text + ")";
        return false;
    }
    ctx->hw_device_ctx = hardware;  // the context owns the reference now
    ctx->get_format = pickFormat;
    return true;
}

bool downloadFrame(AVFrame* frame)
{
    if (frame->format != AV_PIX_FMT_VAAPI)
        return true;
    AVFrame* memory = av_frame_alloc();
    if (!memory)
        return false;
    if (av_hwframe_transfer_data(memory, frame, 0) < 0 || av_frame_copy_props(memory, frame) < 0) {
        av_frame_free(&memory);
        return false;
    }
    av_frame_unref(frame);
    av_frame_move_ref(frame, memory);
    av_frame_free(&memory);
    return true;
}

}  // namespace media
