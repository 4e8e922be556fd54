#pragma once
// Turns the fragments of one elementary stream, as the program stream packs carry them, into
// whole frames (a libavcodec parser), each with the timestamp of the fragment it started in.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct AVCodecContext;
struct AVCodecParserContext;
struct AVPacket;

namespace dvd {

class EsAssembler {
public:
    explicit EsAssembler(int codecId);  // an AVCodecID
    ~EsAssembler();
    EsAssembler(const EsAssembler&) = delete;
    EsAssembler& operator=(const EsAssembler&) = delete;

    bool valid() const { return parser_ && context_; }
    // Feeds a fragment; `out` receives each completed frame as a packet it may keep (move it).
    void feed(const uint8_t* data, size_t size, int64_t pts, int64_t dts, const std::function<void(AVPacket*)>& out);
    // Forgets any partial frame (after a jump).
    void reset();

private:
    int codecId_;
    AVCodecParserContext* parser_ = nullptr;
    AVCodecContext* context_ = nullptr;
    std::vector<uint8_t> padded_;  // the fragment being parsed, with libavcodec's padding
};

}  // namespace dvd
