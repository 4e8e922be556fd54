#include "platform/media/FrameQueue.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <algorithm>
#include <chrono>

namespace media {

void FrameDeleter::operator()(AVFrame* frame) const
{
    av_frame_free(&frame);
}

FramePtr allocFrame()
{
    return FramePtr(av_frame_alloc());
}

bool FrameQueue::push(DecodedFrame frame)
{
    std::unique_lock lock(mutex_);
    const int pushedSerial = serial_;
    changed_.wait(lock, [&] { return aborted_ || frames_.size() < capacity_ || serial_ != pushedSerial; });
    if (aborted_)
        return false;
    if (frame.serial != serial_)
        return true;  // stale after a flush: dropped here rather than by the renderer
    frames_.push_back(std::move(frame));
    changedLocked();
    return true;
}

bool FrameQueue::peekTiming(int& serial, double& pts, double& duration, size_t index) const
{
    std::lock_guard lock(mutex_);
    if (index >= frames_.size())
        return false;
    const DecodedFrame& f = frames_[index];
    serial = f.serial;
    pts = f.pts;
    duration = f.duration;
    return true;
}

DecodedFrame FrameQueue::take()
{
    std::lock_guard lock(mutex_);
    return popFrontLocked();
}

DecodedFrame FrameQueue::takeOf(int serial)
{
    std::lock_guard lock(mutex_);
    if (frames_.empty() || frames_.front().serial != serial)
        return {};
    return popFrontLocked();
}

DecodedFrame FrameQueue::popFrontLocked()
{
    if (frames_.empty())
        return {};
    DecodedFrame f = std::move(frames_.front());
    frames_.pop_front();
    changed_.notify_all();
    return f;
}

void FrameQueue::changedLocked()
{
    ++changes_;
    changed_.notify_all();
}

uint64_t FrameQueue::changes() const
{
    std::lock_guard lock(mutex_);
    return changes_;
}

void FrameQueue::waitForChange(uint64_t seen, double seconds) const
{
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::duration<double>(std::max(seconds, 0.0)),
                      [&] { return changes_ != seen; });
}

void FrameQueue::nudge()
{
    std::lock_guard lock(mutex_);
    changedLocked();
}

void FrameQueue::flush(int serial)
{
    std::lock_guard lock(mutex_);
    frames_.clear();
    serial_ = serial;
    changedLocked();
}

void FrameQueue::abort()
{
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changedLocked();
}

int FrameQueue::serial() const
{
    std::lock_guard lock(mutex_);
    return serial_;
}

size_t FrameQueue::size() const
{
    std::lock_guard lock(mutex_);
    return frames_.size();
}

void FrameQueue::markFinished(int serial)
{
    std::lock_guard lock(mutex_);
    finishedSerial_ = serial;
    changedLocked();
}

bool FrameQueue::drained() const
{
    std::lock_guard lock(mutex_);
    return finishedSerial_ == serial_ && frames_.empty();
}

}  // namespace media
