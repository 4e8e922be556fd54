// The video renderer's reusable pictures.
#include "platform/media/PicturePool.h"

#include <algorithm>
#include <atomic>

namespace media {

QImage* PicturePool::acquire(QSize size)
{
    if (size.isEmpty())
        return nullptr;
    QImage* spare = nullptr;
    for (auto& slot : slots_) {
        // Only this pool holds it: the last reader let it go, and nobody can take a new copy.
        if (!slot.isNull() && !slot.isDetached())
            continue;
        if (slot.size() == size) {
            std::atomic_thread_fence(std::memory_order_acquire);  // the reader's last use happens before our writes
            return &slot;
        }
        if (!spare)
            spare = &slot;
    }
    QImage fresh(size, QImage::Format_RGB32);
    if (fresh.isNull())
        return nullptr;
    ++allocations_;
    if (!spare)
        spare = &slots_[size_t(allocations_) % slots_.size()];  // every slot in use: one is given up to its holders
    *spare = std::move(fresh);
    return spare;
}

QSize convertedSize(const QRect& fit)
{
    if (fit.isEmpty())
        return {};
    return QSize(std::max(2, fit.width() & ~1), fit.height());
}

}  // namespace media
