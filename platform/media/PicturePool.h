#pragma once
// A few reusable 32-bit RGB pictures for the video renderer thread. A picture handed out goes back
// to the pool by itself once every copy of it (the window's, the overlay's, a paint in progress)
// is gone, so steady playback allocates no picture memory at all.
#include <QImage>
#include <QRect>

#include <array>

namespace media {

class PicturePool {
public:
    // A picture of `size` that nobody else holds, reused when one is free; its contents are
    // whatever it held last. Write into it through the pointer (its pixels are not shared, so
    // bits() copies nothing), then hand out copies. Valid until the next call; null for an
    // empty size or when memory runs out.
    QImage* acquire(QSize size);
    // How many pictures were allocated since the pool was made (for tests and benchmarks).
    int allocations() const { return allocations_; }

private:
    std::array<QImage, 4> slots_;
    int allocations_ = 0;
};

// The size the picture is converted at for a fitted rectangle: the width rounded down to an even
// number, which the converter's fast paths need (an odd width costs several times as much). The
// column given up is one more pixel of black bar.
QSize convertedSize(const QRect& fit);

}  // namespace media
