#include "platform/media/PacketQueue.h"

extern "C" {
#include <libavcodec/packet.h>
}

namespace media {

PacketQueue::~PacketQueue()
{
    std::lock_guard lock(mutex_);
    clearLocked();
}

void PacketQueue::clearLocked()
{
    for (Entry& e : entries_)
        av_packet_free(&e.packet);
    entries_.clear();
    bytes_ = 0;
}

void PacketQueue::put(AVPacket* packet)
{
    AVPacket* owned = av_packet_alloc();
    if (!owned)
        return;
    av_packet_move_ref(owned, packet);
    std::lock_guard lock(mutex_);
    if (aborted_) {
        av_packet_free(&owned);
        return;
    }
    bytes_ += size_t(owned->size);
    entries_.push_back({owned, serial_});
    wake_.notify_one();
}

void PacketQueue::putEnd()
{
    std::lock_guard lock(mutex_);
    entries_.push_back({nullptr, serial_});
    wake_.notify_one();
}

int PacketQueue::get(AVPacket* packet, int& serial, bool block)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (aborted_)
            return -1;
        if (!entries_.empty()) {
            Entry e = entries_.front();
            entries_.pop_front();
            serial = e.serial;
            av_packet_unref(packet);
            if (e.packet) {
                bytes_ -= size_t(e.packet->size);
                av_packet_move_ref(packet, e.packet);
                av_packet_free(&e.packet);
            }
            return 1;
        }
        if (!block)
            return 0;
        wake_.wait(lock);
    }
}

void PacketQueue::flush(int serial)
{
    std::lock_guard lock(mutex_);
    clearLocked();
    serial_ = serial;
    wake_.notify_all();
}

void PacketQueue::abort()
{
    std::lock_guard lock(mutex_);
    aborted_ = true;
    wake_.notify_all();
}

int PacketQueue::serial() const
{
    std::lock_guard lock(mutex_);
    return serial_;
}

size_t PacketQueue::count() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

size_t PacketQueue::bytes() const
{
    std::lock_guard lock(mutex_);
    return bytes_;
}

}  // namespace media
