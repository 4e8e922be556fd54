#pragma once
// The renderer window's end of the renderer thread: it holds the latest picture (converted by the
// CPU output, or the decoded frame itself for the OpenGL output) and asks the window, on the UI
// thread, to repaint. The wake-up lives on the UI thread and is deleted with the sink, which the
// renderer thread never outlives.
#include "platform/media/FrameQueue.h"
#include "platform/media/VideoRenderer.h"
#include "platform/system/UiWakeUp.h"

#include <QImage>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace media {

class WindowSink : public VideoSink {
public:
    // `frames`: the window draws decoded frames itself (`sixteenBit`: 16-bit samples too).
    WindowSink(bool frames, bool sixteenBit);

    QSize targetSize() const override;
    void watchRoom(const void* watcher, std::function<void()> changed) override;
    void present(const QImage& picture) override;
    bool takesFrames(bool& sixteenBit) const override;
    void presentFrame(const AVFrame& frame, const QImage& overlay) override;

    void setRoom(QSize room);
    QImage picture() const;
    // Moves the frame presented since the last call into `into` (and its overlay); false when
    // none came.
    bool takeFrame(AVFrame* into, QImage& overlay);

    std::function<void()> repaint_;  // UI thread only

private:
    void requestRepaint();

    const bool frames_;
    const bool sixteenBit_;
    mutable std::mutex mutex_;
    QImage picture_;   // protected by mutex_
    FramePtr frame_;   // protected by mutex_: the frame not yet drawn (empty when taken)
    QImage overlay_;   // protected by mutex_
    bool fresh_ = false;  // protected by mutex_
    const void* roomWatcher_ = nullptr;  // protected by mutex_
    std::function<void()> roomChanged_;  // protected by mutex_
    std::atomic<uint64_t> room_{0};
    std::atomic<bool> pending_{false};
    platform::UiWakeUp wake_;  // last: gone before the rest
};

}  // namespace media
