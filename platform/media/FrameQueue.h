#pragma once
// Decoded frames (pictures or sound) between a decoder and a renderer, at most `capacity` of them.
// Each frame keeps the serial of the packet it came from; a renderer drops frames whose serial is
// not the queue's. The producer marks the serial it has finished (end of stream reached and the
// decoder drained), so that a renderer can tell "empty for now" from "no more". Thread-safe.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

struct AVFrame;

namespace media {

struct FrameDeleter {
    void operator()(AVFrame* frame) const;
};
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
FramePtr allocFrame();

struct DecodedFrame {
    FramePtr frame;
    int serial = 0;
    double pts = 0;       // seconds from the start of the medium
    double duration = 0;  // seconds
};

class FrameQueue {
public:
    explicit FrameQueue(size_t capacity) : capacity_(capacity) {}
    FrameQueue(const FrameQueue&) = delete;
    FrameQueue& operator=(const FrameQueue&) = delete;

    // Waits while the queue is full; returns false (dropping the frame) once aborted.
    bool push(DecodedFrame frame);
    // Copies the timing of the front (or second) frame; false when there is none.
    bool peekTiming(int& serial, double& pts, double& duration, size_t index = 0) const;
    // Takes the front frame; empty when there is none.
    DecodedFrame take();
    // Takes the front frame only if it is of `serial`: empty when the queue was flushed since the
    // caller looked at it (the front is then a frame of the new serial, or nothing).
    DecodedFrame takeOf(int serial);
    // A count of what a consumer waits for: a frame in, a flush, the end marked, the abort, a nudge.
    uint64_t changes() const;
    // Waits up to `seconds` for changes() to move past `seen` (taken before looking at the queue,
    // so that nothing happening meanwhile is missed).
    void waitForChange(uint64_t seen, double seconds) const;
    // Wakes the consumer's wait: something it obeys besides the queue has changed.
    void nudge();
    // Drops every frame and adopts `serial`; wakes a producer waiting for room.
    void flush(int serial);
    void abort();

    int serial() const;
    size_t size() const;
    size_t capacity() const { return capacity_; }
    void markFinished(int serial);
    // True when the producer has finished the current serial and nothing is left.
    bool drained() const;

private:
    DecodedFrame popFrontLocked();
    // Counts a change the consumer waits for and wakes every waiter (mutex_ held).
    void changedLocked();

    const size_t capacity_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<DecodedFrame> frames_;  // protected by mutex_
    int serial_ = 0;                   // protected by mutex_
    int finishedSerial_ = -1;          // protected by mutex_
    bool aborted_ = false;             // protected by mutex_
    uint64_t changes_ = 0;             // protected by mutex_
};

}  // namespace media
