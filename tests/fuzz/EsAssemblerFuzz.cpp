// libFuzzer entry for the elementary-stream assembler: fragments of any size and content, with any
// timestamps, for each codec a DVD carries, give whole packets or nothing, and a reset between.
#include "platform/dvd/EsAssembler.h"
#include "tests/fuzz/FuzzInput.h"

#include <iterator>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

namespace {

const int kCodecs[] = {AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_AC3, AV_CODEC_ID_MP2, AV_CODEC_ID_DTS,
                       AV_CODEC_ID_DVD_SUBTITLE};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

// The input: one byte choosing the codec, then fragments, each a length byte (0xFF: reset) and
// a timestamp byte before its bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    dvd::EsAssembler assembler(kCodecs[in.take<uint8_t>() % std::size(kCodecs)]);
    if (!assembler.valid())
        return 0;
    size_t total = 0;
    while (!in.empty()) {
        const uint8_t length = in.take<uint8_t>();
        if (length == 0xFF) {
            assembler.reset();
            continue;
        }
        const int64_t pts = int64_t(in.take<uint8_t>()) * 3600 - 1;
        size_t got = 0;
        const uint8_t* fragment = in.slice(size_t(length) * 16, got);
        assembler.feed(fragment, got, pts, pts, [&](AVPacket* packet) { total += size_t(packet->size); });
    }
    volatile size_t keep = total;
    (void)keep;
    return 0;
}
