// The renderer window's thread-safe picture holder.
#include "platform/media/WindowSink.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <algorithm>

namespace media {

WindowSink::WindowSink(bool frames, bool sixteenBit)
    : frames_(frames), sixteenBit_(sixteenBit), frame_(allocFrame()),
      wake_([this] {
          pending_ = false;
          if (repaint_)
              repaint_();
      })
{
}

QSize WindowSink::targetSize() const
{
    const uint64_t packed = room_;
    return QSize(int(packed >> 32), int(packed & 0xffffffffu));
}

void WindowSink::present(const QImage& picture)
{
    {
        std::lock_guard lock(mutex_);
        picture_ = picture;
    }
    requestRepaint();
}

bool WindowSink::takesFrames(bool& sixteenBit) const
{
    sixteenBit = sixteenBit_;
    return frames_;
}

void WindowSink::presentFrame(const AVFrame& frame, const QImage& overlay)
{
    {
        std::lock_guard lock(mutex_);
        if (!frame_)
            return;
        av_frame_unref(frame_.get());
        if (av_frame_ref(frame_.get(), &frame) < 0)
            return;
        overlay_ = overlay;
        fresh_ = true;
    }
    requestRepaint();
}

bool WindowSink::takeFrame(AVFrame* into, QImage& overlay)
{
    std::lock_guard lock(mutex_);
    if (!fresh_ || !frame_)
        return false;
    av_frame_unref(into);
    av_frame_move_ref(into, frame_.get());
    overlay = overlay_;
    overlay_ = QImage();
    fresh_ = false;
    return true;
}

void WindowSink::requestRepaint()
{
    if (!pending_.exchange(true))
        wake_.wake();
}

void WindowSink::watchRoom(const void* watcher, std::function<void()> changed)
{
    std::lock_guard lock(mutex_);
    if (!changed && watcher != roomWatcher_)
        return;  // a renderer made since has taken the watch over
    roomWatcher_ = changed ? watcher : nullptr;
    roomChanged_ = std::move(changed);
}

void WindowSink::setRoom(QSize room)
{
    const uint64_t packed =
        (uint64_t(uint32_t(std::max(room.width(), 0))) << 32) | uint32_t(std::max(room.height(), 0));
    if (room_.exchange(packed) == packed)
        return;
    std::lock_guard lock(mutex_);
    if (roomChanged_)
        roomChanged_();
}

QImage WindowSink::picture() const
{
    std::lock_guard lock(mutex_);
    return picture_;
}

}  // namespace media
