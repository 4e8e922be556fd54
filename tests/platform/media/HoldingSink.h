#pragma once
// A picture sink for tests: keeps the latest picture, as the renderer window does, and counts them.
#include "platform/media/VideoRenderer.h"

#include <QImage>
#include <QSize>

#include <mutex>

namespace mediatest {

class HoldingSink : public media::VideoSink {
public:
    explicit HoldingSink(QSize room) : room_(room) {}
    QSize targetSize() const override { return room_; }
    void present(const QImage& picture) override
    {
        std::lock_guard lock(mutex);
        latest = picture;
        ++count;
    }
    std::mutex mutex;
    QImage latest;
    int count = 0;

private:
    QSize room_;
};

}  // namespace mediatest
