#include "platform/dvd/EsAssembler.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace dvd {

EsAssembler::EsAssembler(int codecId)
    : codecId_(codecId)
{
    reset();
}

EsAssembler::~EsAssembler()
{
    if (parser_)
        av_parser_close(parser_);
    avcodec_free_context(&context_);
}

void EsAssembler::reset()
{
    if (parser_)
        av_parser_close(parser_);
    avcodec_free_context(&context_);
    parser_ = av_parser_init(codecId_);
    context_ = avcodec_alloc_context3(nullptr);
}

void EsAssembler::feed(const uint8_t* data, size_t size, int64_t pts, int64_t dts,
                       const std::function<void(AVPacket*)>& out)
{
    if (!valid())
        return;
    // The parser reads a little past the end of what it is given: the fragment goes into a buffer
    // with the zeroed padding libavcodec asks for, never read in place at the end of a pack.
    padded_.assign(data, data + size);
    padded_.resize(size + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    data = padded_.data();
    while (size > 0) {
        uint8_t* frame = nullptr;
        int frameSize = 0;
        const int used = av_parser_parse2(parser_, context_, &frame, &frameSize, data, int(size),
                                          pts >= 0 ? pts : AV_NOPTS_VALUE, dts >= 0 ? dts : AV_NOPTS_VALUE, 0);
        if (used < 0)
            return;
        data += used;
        size -= size_t(used);
        // The timestamps belong to the first frame that starts in this fragment.
        pts = -1;
        dts = -1;
        if (frameSize > 0) {
            AVPacket* packet = av_packet_alloc();
            if (packet && av_new_packet(packet, frameSize) == 0) {
                memcpy(packet->data, frame, size_t(frameSize));
                packet->pts = parser_->pts;
                packet->dts = parser_->dts;
                out(packet);
            }
            av_packet_free(&packet);
        }
        if (used == 0 && frameSize == 0)
            break;
    }
}

}  // namespace dvd
