// libFuzzer entry for the program-stream demultiplexer: any block, of any size, yields payloads
// that lie inside it (AddressSanitizer checks every byte read here) or nothing.
#include "platform/dvd/PsDemux.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the block's size, so that a read past it is caught.
    auto* block = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    std::memcpy(block, data, size);
    unsigned sum = 0;
    dvd::DemuxPack(block, size, [&](const dvd::EsPayload& es) {
        if (es.size && (es.data < block || es.data + es.size > block + size))
            std::abort();
        for (size_t i = 0; i < es.size; ++i)
            sum += es.data[i];
    });
    std::free(block);
    volatile unsigned keep = sum;  // keeps the reads
    (void)keep;
    return 0;
}
