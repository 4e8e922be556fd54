#pragma once
// Compressed packets waiting for a decoder. Every packet carries the serial the queue had when it
// was put; flushing gives the queue a new serial, so a decoder that takes a packet of a new serial
// knows the stream jumped (a seek, a DVD jump) and resets itself. Thread-safe.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

struct AVPacket;

namespace media {

class PacketQueue {
public:
    PacketQueue() = default;
    PacketQueue(const PacketQueue&) = delete;
    PacketQueue& operator=(const PacketQueue&) = delete;
    ~PacketQueue();

    // Takes ownership of `packet` (moved out with av_packet_move_ref). A null packet marks the end
    // of the stream for the decoder.
    void put(AVPacket* packet);
    void putEnd();
    // Waits for a packet unless `block` is false. Returns 1 with a packet (null data = end of
    // stream), 0 when none is waiting, -1 once aborted. `packet` must be an allocated AVPacket.
    int get(AVPacket* packet, int& serial, bool block);
    // Drops every waiting packet and adopts `serial`.
    void flush(int serial);
    // Wakes every waiter for good.
    void abort();

    int serial() const;
    size_t count() const;
    size_t bytes() const;

private:
    struct Entry {
        AVPacket* packet;  // null: end of stream
        int serial;
    };
    void clearLocked();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Entry> entries_;  // protected by mutex_
    size_t bytes_ = 0;           // protected by mutex_
    int serial_ = 0;             // protected by mutex_
    bool aborted_ = false;       // protected by mutex_
};

}  // namespace media
