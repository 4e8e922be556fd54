// The video renderer's reusable pictures.
#include "platform/media/PicturePool.h"

#include <algorithm>
#include <atomic>

#include <sys/mman.h>
#include <unistd.h>

namespace media {
namespace {

// The first page of a picture's mapping holds its length; the pixels follow.
struct MappingHeader {
    size_t length;
};

void Unmap(void* mapping)
{
    munmap(mapping, static_cast<MappingHeader*>(mapping)->length);
}

// A picture is written whole as soon as it is made: its pages are mapped all at once
// (MAP_POPULATE) rather than one fault at a time as the converter reaches them, which costs less
// than half as much on a virtual machine, where each fault is dear (a window-sized picture: about
// 1.5 ms instead of 3.7 here). The memory goes with the last copy of the picture.
QImage MappedPicture(QSize size)
{
    const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t length = page + size_t(bytesPerLine) * size_t(size.height());
    void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapping == MAP_FAILED)
        return QImage(size, QImage::Format_RGB32);
    static_cast<MappingHeader*>(mapping)->length = length;
    QImage picture(static_cast<uchar*>(mapping) + page, size.width(), size.height(), bytesPerLine,
                   QImage::Format_RGB32, Unmap, mapping);
    if (picture.isNull())
        munmap(mapping, length);
    return picture;
}

}  // namespace

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
    QImage fresh = MappedPicture(size);
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
