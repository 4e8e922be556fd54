// FFmpeg's decoding libraries opened on first use, and the functions the program calls in them,
// each passing its call through to the library's own.
#include "platform/system/CodecLibrary.h"

#include "platform/system/SharedLibrary.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/avutil.h>
#include <libavutil/channel_layout.h>
#include <libavutil/crc.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/hwcontext.h>
#include <libavutil/log.h>
#include <libavutil/pixdesc.h>
#include <libavutil/rational.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <cstring>
#include <type_traits>

// Every function of the four libraries the program calls, with the library holding it.
#define VISTREL_CODEC_FUNCTIONS(X) \
    X(util, av_channel_layout_check) \
    X(util, av_channel_layout_copy) \
    X(util, av_channel_layout_default) \
    X(util, av_channel_layout_uninit) \
    X(util, av_crc) \
    X(util, av_crc_get_table) \
    X(util, av_dict_free) \
    X(util, av_dict_set) \
    X(util, av_frame_alloc) \
    X(util, av_frame_copy_props) \
    X(util, av_frame_free) \
    X(util, av_frame_get_buffer) \
    X(util, av_frame_is_writable) \
    X(util, av_frame_move_ref) \
    X(util, av_frame_ref) \
    X(util, av_frame_unref) \
    X(util, av_get_pix_fmt_name) \
    X(util, av_hwdevice_ctx_create) \
    X(util, av_hwframe_transfer_data) \
    X(util, av_log_set_level) \
    X(util, av_pix_fmt_desc_get) \
    X(util, av_reduce) \
    X(util, av_strerror) \
    X(util, av_version_info) \
    X(resample, swr_alloc_set_opts2) \
    X(resample, swr_convert) \
    X(resample, swr_free) \
    X(resample, swr_get_out_samples) \
    X(resample, swr_init) \
    X(scale, sws_freeContext) \
    X(scale, sws_getCachedContext) \
    X(scale, sws_getCoefficients) \
    X(scale, sws_scale) \
    X(scale, sws_setColorspaceDetails) \
    X(codec, av_new_packet) \
    X(codec, av_packet_alloc) \
    X(codec, av_packet_free) \
    X(codec, av_packet_move_ref) \
    X(codec, av_packet_unref) \
    X(codec, av_parser_close) \
    X(codec, av_parser_init) \
    X(codec, av_parser_parse2) \
    X(codec, avcodec_alloc_context3) \
    X(codec, avcodec_decode_subtitle2) \
    X(codec, avcodec_find_decoder) \
    X(codec, avcodec_flush_buffers) \
    X(codec, avcodec_free_context) \
    X(codec, avcodec_get_hw_config) \
    X(codec, avcodec_get_name) \
    X(codec, avcodec_open2) \
    X(codec, avcodec_parameters_alloc) \
    X(codec, avcodec_parameters_free) \
    X(codec, avcodec_parameters_from_context) \
    X(codec, avcodec_parameters_to_context) \
    X(codec, avcodec_receive_frame) \
    X(codec, avcodec_send_packet) \
    X(codec, avcodec_version) \
    X(codec, avsubtitle_free)

namespace {

struct CodecFunctions {
#define VISTREL_MEMBER(library, name) decltype(&::name) name = nullptr;
    VISTREL_CODEC_FUNCTIONS(VISTREL_MEMBER)
#undef VISTREL_MEMBER
};

struct Loaded {
    // In the order each needs the ones before it: the loader finds those already loaded.
    platform::SharedLibrary util{VISTREL_AVUTIL_SONAME};
    platform::SharedLibrary resample{VISTREL_SWRESAMPLE_SONAME};
    platform::SharedLibrary scale{VISTREL_SWSCALE_SONAME};
    platform::SharedLibrary codec{VISTREL_AVCODEC_SONAME};
    CodecFunctions functions;
    bool complete = true;
    QString why;

    Loaded()
    {
        for (const platform::SharedLibrary* library : {&util, &resample, &scale, &codec})
            if (!library->isOpen())
                Fail(*library);
#define VISTREL_RESOLVE(library, name)                            \
    if (complete && !library.resolve(functions.name, #name)) \
        Fail(library);
        VISTREL_CODEC_FUNCTIONS(VISTREL_RESOLVE)
#undef VISTREL_RESOLVE
    }

    void Fail(const platform::SharedLibrary& library)
    {
        if (!complete)
            return;
        complete = false;
        why = QStringLiteral("La bibliothèque de décodage des médias (%1) est inutilisable : %2")
                  .arg(library.soname(), library.error());
    }
};

const Loaded& Libraries()
{
    static const Loaded loaded;  // thread-safe on first use, never reopened
    return loaded;
}

// Calls the library's function, or without the libraries fails as FFmpeg does.
template <auto Function, class... Arguments>
auto Forward(Arguments... arguments)
{
    const Loaded& loaded = Libraries();
    using Result = decltype((loaded.functions.*Function)(arguments...));
    if (!loaded.complete) {
        if constexpr (std::is_void_v<Result>)
            return;
        else if constexpr (std::is_pointer_v<Result>)
            return Result(nullptr);
        else if constexpr (std::is_same_v<Result, int>)
            return AVERROR(ENOSYS);
        else
            return Result{};
    }
    return (loaded.functions.*Function)(arguments...);
}

}  // namespace

namespace platform {

bool OpenCodecLibraries(QString* why)
{
    const Loaded& loaded = Libraries();
    if (!loaded.complete && why)
        *why = loaded.why;
    return loaded.complete;
}

}  // namespace platform

// The functions as FFmpeg's headers declare them.
extern "C" {

int av_channel_layout_check(const AVChannelLayout* channel_layout)
{
    return Forward<&CodecFunctions::av_channel_layout_check>(channel_layout);
}

int av_channel_layout_copy(AVChannelLayout* dst, const AVChannelLayout* src)
{
    return Forward<&CodecFunctions::av_channel_layout_copy>(dst, src);
}

void av_channel_layout_default(AVChannelLayout* ch_layout, int nb_channels)
{
    Forward<&CodecFunctions::av_channel_layout_default>(ch_layout, nb_channels);
}

void av_channel_layout_uninit(AVChannelLayout* channel_layout)
{
    Forward<&CodecFunctions::av_channel_layout_uninit>(channel_layout);
}

uint32_t av_crc(const AVCRC* ctx, uint32_t crc, const uint8_t* buffer, size_t length)
{
    return Forward<&CodecFunctions::av_crc>(ctx, crc, buffer, length);
}

const AVCRC* av_crc_get_table(AVCRCId crc_id)
{
    return Forward<&CodecFunctions::av_crc_get_table>(crc_id);
}

void av_dict_free(AVDictionary** m)
{
    Forward<&CodecFunctions::av_dict_free>(m);
}

int av_dict_set(AVDictionary** pm, const char* key, const char* value, int flags)
{
    return Forward<&CodecFunctions::av_dict_set>(pm, key, value, flags);
}

AVFrame* av_frame_alloc()
{
    return Forward<&CodecFunctions::av_frame_alloc>();
}

int av_frame_copy_props(AVFrame* dst, const AVFrame* src)
{
    return Forward<&CodecFunctions::av_frame_copy_props>(dst, src);
}

void av_frame_free(AVFrame** frame)
{
    Forward<&CodecFunctions::av_frame_free>(frame);
}

int av_frame_get_buffer(AVFrame* frame, int align)
{
    return Forward<&CodecFunctions::av_frame_get_buffer>(frame, align);
}

int av_frame_is_writable(AVFrame* frame)
{
    return Forward<&CodecFunctions::av_frame_is_writable>(frame);
}

void av_frame_move_ref(AVFrame* dst, AVFrame* src)
{
    Forward<&CodecFunctions::av_frame_move_ref>(dst, src);
}

int av_frame_ref(AVFrame* dst, const AVFrame* src)
{
    return Forward<&CodecFunctions::av_frame_ref>(dst, src);
}

void av_frame_unref(AVFrame* frame)
{
    Forward<&CodecFunctions::av_frame_unref>(frame);
}

const char* av_get_pix_fmt_name(enum AVPixelFormat pix_fmt)
{
    return Forward<&CodecFunctions::av_get_pix_fmt_name>(pix_fmt);
}

int av_hwdevice_ctx_create(AVBufferRef** device_ctx, enum AVHWDeviceType type, const char* device, AVDictionary* opts, int flags)
{
    return Forward<&CodecFunctions::av_hwdevice_ctx_create>(device_ctx, type, device, opts, flags);
}

int av_hwframe_transfer_data(AVFrame* dst, const AVFrame* src, int flags)
{
    return Forward<&CodecFunctions::av_hwframe_transfer_data>(dst, src, flags);
}

void av_log_set_level(int level)
{
    Forward<&CodecFunctions::av_log_set_level>(level);
}

const AVPixFmtDescriptor* av_pix_fmt_desc_get(enum AVPixelFormat pix_fmt)
{
    return Forward<&CodecFunctions::av_pix_fmt_desc_get>(pix_fmt);
}

int av_reduce(int* dst_num, int* dst_den, int64_t num, int64_t den, int64_t max)
{
    return Forward<&CodecFunctions::av_reduce>(dst_num, dst_den, num, den, max);
}

const char* av_version_info()
{
    return Forward<&CodecFunctions::av_version_info>();
}

int swr_alloc_set_opts2(struct SwrContext** ps, AVChannelLayout* out_ch_layout, enum AVSampleFormat out_sample_fmt, int out_sample_rate, AVChannelLayout* in_ch_layout, enum AVSampleFormat in_sample_fmt, int in_sample_rate, int log_offset, void* log_ctx)
{
    return Forward<&CodecFunctions::swr_alloc_set_opts2>(ps, out_ch_layout, out_sample_fmt, out_sample_rate, in_ch_layout, in_sample_fmt, in_sample_rate, log_offset, log_ctx);
}

int swr_convert(struct SwrContext* s, uint8_t** out, int out_count, const uint8_t** in, int in_count)
{
    return Forward<&CodecFunctions::swr_convert>(s, out, out_count, in, in_count);
}

void swr_free(struct SwrContext** s)
{
    Forward<&CodecFunctions::swr_free>(s);
}

int swr_get_out_samples(struct SwrContext* s, int in_samples)
{
    return Forward<&CodecFunctions::swr_get_out_samples>(s, in_samples);
}

int swr_init(struct SwrContext* s)
{
    return Forward<&CodecFunctions::swr_init>(s);
}

void sws_freeContext(struct SwsContext* swsContext)
{
    Forward<&CodecFunctions::sws_freeContext>(swsContext);
}

struct SwsContext* sws_getCachedContext(struct SwsContext* context, int srcW, int srcH, enum AVPixelFormat srcFormat, int dstW, int dstH, enum AVPixelFormat dstFormat, int flags, SwsFilter* srcFilter, SwsFilter* dstFilter, const double* param)
{
    return Forward<&CodecFunctions::sws_getCachedContext>(context, srcW, srcH, srcFormat, dstW, dstH, dstFormat, flags, srcFilter, dstFilter, param);
}

const int* sws_getCoefficients(int colorspace)
{
    return Forward<&CodecFunctions::sws_getCoefficients>(colorspace);
}

int sws_scale(struct SwsContext* c, const uint8_t* const srcSlice[], const int srcStride[], int srcSliceY, int srcSliceH, uint8_t* const dst[], const int dstStride[])
{
    return Forward<&CodecFunctions::sws_scale>(c, srcSlice, srcStride, srcSliceY, srcSliceH, dst, dstStride);
}

int sws_setColorspaceDetails(struct SwsContext* c, const int inv_table[4], int srcRange, const int table[4], int dstRange, int brightness, int contrast, int saturation)
{
    return Forward<&CodecFunctions::sws_setColorspaceDetails>(c, inv_table, srcRange, table, dstRange, brightness, contrast, saturation);
}

int av_new_packet(AVPacket* pkt, int size)
{
    return Forward<&CodecFunctions::av_new_packet>(pkt, size);
}

AVPacket* av_packet_alloc()
{
    return Forward<&CodecFunctions::av_packet_alloc>();
}

void av_packet_free(AVPacket** pkt)
{
    Forward<&CodecFunctions::av_packet_free>(pkt);
}

void av_packet_move_ref(AVPacket* dst, AVPacket* src)
{
    Forward<&CodecFunctions::av_packet_move_ref>(dst, src);
}

void av_packet_unref(AVPacket* pkt)
{
    Forward<&CodecFunctions::av_packet_unref>(pkt);
}

void av_parser_close(AVCodecParserContext* s)
{
    Forward<&CodecFunctions::av_parser_close>(s);
}

AVCodecParserContext* av_parser_init(int codec_id)
{
    return Forward<&CodecFunctions::av_parser_init>(codec_id);
}

int av_parser_parse2(AVCodecParserContext* s, AVCodecContext* avctx, uint8_t** poutbuf, int* poutbuf_size, const uint8_t* buf, int buf_size, int64_t pts, int64_t dts, int64_t pos)
{
    return Forward<&CodecFunctions::av_parser_parse2>(s, avctx, poutbuf, poutbuf_size, buf, buf_size, pts, dts, pos);
}

AVCodecContext* avcodec_alloc_context3(const AVCodec* codec)
{
    return Forward<&CodecFunctions::avcodec_alloc_context3>(codec);
}

int avcodec_decode_subtitle2(AVCodecContext* avctx, AVSubtitle* sub, int* got_sub_ptr, AVPacket* avpkt)
{
    return Forward<&CodecFunctions::avcodec_decode_subtitle2>(avctx, sub, got_sub_ptr, avpkt);
}

const AVCodec* avcodec_find_decoder(enum AVCodecID id)
{
    return Forward<&CodecFunctions::avcodec_find_decoder>(id);
}

void avcodec_flush_buffers(AVCodecContext* avctx)
{
    Forward<&CodecFunctions::avcodec_flush_buffers>(avctx);
}

void avcodec_free_context(AVCodecContext** avctx)
{
    Forward<&CodecFunctions::avcodec_free_context>(avctx);
}

const AVCodecHWConfig* avcodec_get_hw_config(const AVCodec* codec, int index)
{
    return Forward<&CodecFunctions::avcodec_get_hw_config>(codec, index);
}

const char* avcodec_get_name(enum AVCodecID id)
{
    return Forward<&CodecFunctions::avcodec_get_name>(id);
}

int avcodec_open2(AVCodecContext* avctx, const AVCodec* codec, AVDictionary** options)
{
    return Forward<&CodecFunctions::avcodec_open2>(avctx, codec, options);
}

AVCodecParameters* avcodec_parameters_alloc()
{
    return Forward<&CodecFunctions::avcodec_parameters_alloc>();
}

void avcodec_parameters_free(AVCodecParameters** par)
{
    Forward<&CodecFunctions::avcodec_parameters_free>(par);
}

int avcodec_parameters_from_context(AVCodecParameters* par, const AVCodecContext* codec)
{
    return Forward<&CodecFunctions::avcodec_parameters_from_context>(par, codec);
}

int avcodec_parameters_to_context(AVCodecContext* codec, const AVCodecParameters* par)
{
    return Forward<&CodecFunctions::avcodec_parameters_to_context>(codec, par);
}

int avcodec_receive_frame(AVCodecContext* avctx, AVFrame* frame)
{
    return Forward<&CodecFunctions::avcodec_receive_frame>(avctx, frame);
}

int avcodec_send_packet(AVCodecContext* avctx, const AVPacket* avpkt)
{
    return Forward<&CodecFunctions::avcodec_send_packet>(avctx, avpkt);
}

unsigned avcodec_version()
{
    return Forward<&CodecFunctions::avcodec_version>();
}

void avsubtitle_free(AVSubtitle* sub)
{
    Forward<&CodecFunctions::avsubtitle_free>(sub);
}

int av_strerror(int errnum, char* errbuf, size_t errbuf_size)
{
    if (!platform::OpenCodecLibraries()) {
        if (errbuf && errbuf_size) {
            std::strncpy(errbuf, "FFmpeg unavailable", errbuf_size - 1);
            errbuf[errbuf_size - 1] = '\0';
        }
        return AVERROR(ENOSYS);
    }
    return Libraries().functions.av_strerror(errnum, errbuf, errbuf_size);
}

}  // extern "C"
