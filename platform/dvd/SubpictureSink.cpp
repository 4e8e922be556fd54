#include "platform/dvd/SubpictureSink.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <algorithm>
#include <cstring>

namespace dvd {
namespace {

// Blends `colour` over `under` with a 4-bit contrast.
QRgb Blend(QRgb under, QRgb colour, int contrast)
{
    const int a = contrast * 17;
    auto mix = [a](int u, int c) { return (c * a + u * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(under), qRed(colour)), mix(qGreen(under), qGreen(colour)), mix(qBlue(under), qBlue(colour)));
}

}  // namespace

SubpictureSink::SubpictureSink(std::shared_ptr<media::VideoSink> inner, const media::Clock& clock)
    : inner_(std::move(inner))
    , clock_(clock)
    , baseFrame_(media::allocFrame())
{
    // Until the disc gives its colour table: a grey ramp.
    for (int i = 0; i < 16; ++i)
        palette_[size_t(i)] = qRgb(i * 17, i * 17, i * 17);
}

QRgb SubpictureSink::toRgb(uint32_t ycrcb)
{
    const double y = double((ycrcb >> 16) & 0xFF);
    const double cr = double((ycrcb >> 8) & 0xFF) - 128.0;
    const double cb = double(ycrcb & 0xFF) - 128.0;
    const double yy = 1.164 * (y - 16.0);  // studio-range luma, as discs store it
    auto clamp = [](double v) { return std::clamp(int(v + 0.5), 0, 255); };
    return qRgb(clamp(yy + 1.596 * cr), clamp(yy - 0.391 * cb - 0.813 * cr), clamp(yy + 2.018 * cb));
}

int SubpictureSink::composedAllocations() const
{
    std::lock_guard lock(mutex_);
    return composed_.allocations();
}

QSize SubpictureSink::targetSize() const
{
    return inner_ ? inner_->targetSize() : QSize();
}

void SubpictureSink::watchRoom(const void* watcher, std::function<void()> changed)
{
    if (inner_)
        inner_->watchRoom(watcher, std::move(changed));
}

void SubpictureSink::present(const QImage& picture)
{
    std::unique_lock lock(mutex_);
    base_ = picture;
    const QImage composed = composeLocked(base_);
    lock.unlock();
    if (inner_)
        inner_->present(composed);
    if (onPresented)
        onPresented();
}

bool SubpictureSink::takesFrames(bool& sixteenBit) const
{
    sixteenBit = false;
    return inner_ && inner_->takesFrames(sixteenBit);
}

void SubpictureSink::presentFrame(const AVFrame& frame, const QImage&)
{
    std::unique_lock lock(mutex_);
    av_frame_unref(baseFrame_.get());
    av_frame_ref(baseFrame_.get(), &frame);
    const QImage overlay = overlayLocked();
    lock.unlock();
    if (inner_)
        inner_->presentFrame(frame, overlay);
    if (onPresented)
        onPresented();
}

void SubpictureSink::representLocked(std::unique_lock<std::mutex>& lock)
{
    ++generation_;
    if (baseFrame_->buf[0]) {
        // The same frame again with the new overlay; our reference may change once unlocked.
        media::FramePtr again = media::allocFrame();
        if (!again || av_frame_ref(again.get(), baseFrame_.get()) < 0)
            return;
        const QImage overlay = overlayLocked();
        lock.unlock();
        if (inner_)
            inner_->presentFrame(*again, overlay);
        return;
    }
    if (base_.isNull())
        return;
    const QImage composed = composeLocked(base_);
    lock.unlock();
    if (inner_)
        inner_->present(composed);
}

void SubpictureSink::setPictureSize(int width, int height)
{
    std::lock_guard lock(mutex_);
    if (width > 0 && height > 0) {
        pictureWidth_ = width;
        pictureHeight_ = height;
    }
}

void SubpictureSink::setColourTable(const std::array<uint32_t, 16>& ycrcb)
{
    std::unique_lock lock(mutex_);
    for (size_t i = 0; i < 16; ++i)
        palette_[i] = toRgb(ycrcb[i]);
    representLocked(lock);
}

void SubpictureSink::setHighlight(const Highlight& highlight)
{
    std::unique_lock lock(mutex_);
    highlight_ = highlight;
    representLocked(lock);
}

void SubpictureSink::addSubpicture(Subpicture subpicture)
{
    std::unique_lock lock(mutex_);
    // A new sub-picture ends the one before it.
    for (auto& earlier : subpictures_)
        earlier.end = std::min(earlier.end, subpicture.start);
    subpictures_.push_back(std::move(subpicture));
    while (subpictures_.size() > 8)
        subpictures_.pop_front();
    representLocked(lock);
}

void SubpictureSink::setShown(bool shown)
{
    std::unique_lock lock(mutex_);
    if (shown_ == shown)
        return;
    shown_ = shown;
    representLocked(lock);
}

void SubpictureSink::flush(int serial)
{
    std::lock_guard lock(mutex_);
    ++generation_;
    std::erase_if(subpictures_, [serial](const Subpicture& s) { return s.serial < serial; });
}

const Subpicture* SubpictureSink::currentLocked() const
{
    const double now = clock_.get();
    const Subpicture* current = nullptr;
    for (const auto& s : subpictures_)
        if (s.start <= now + 0.05 && now < s.end && (shown_ || s.forced))
            current = &s;
    return current;
}

template <class Paint>
void SubpictureSink::visitLocked(const Subpicture& s, QSize out, Paint&& paint) const
{
    const double sx = double(out.width()) / pictureWidth_;
    const double sy = double(out.height()) / pictureHeight_;
    // Each output pixel takes the sub-picture pixel it falls on.
    const int x0 = std::max(0, int(s.x * sx)), x1 = std::min(out.width(), int((s.x + s.width) * sx + 0.5));
    const int y0 = std::max(0, int(s.y * sy)), y1 = std::min(out.height(), int((s.y + s.height) * sy + 0.5));
    for (int oy = y0; oy < y1; ++oy) {
        const int py = std::clamp(int((oy + 0.5) / sy), 0, pictureHeight_ - 1);
        const int row = py - s.y;
        if (row < 0 || row >= s.height)
            continue;
        for (int ox = x0; ox < x1; ++ox) {
            const int px = std::clamp(int((ox + 0.5) / sx), 0, pictureWidth_ - 1);
            const int col = px - s.x;
            if (col < 0 || col >= s.width)
                continue;
            const uint8_t value = s.values[size_t(row) * size_t(s.width) + size_t(col)] & 3;
            const bool lit = highlight_.shown && px >= highlight_.left && px <= highlight_.right
                             && py >= highlight_.top && py <= highlight_.bottom;
            const uint8_t colour = lit ? highlight_.colour[value] : s.colour[value];
            const uint8_t contrast = lit ? highlight_.contrast[value] : s.contrast[value];
            if (contrast)
                paint(ox, oy, palette_[colour & 15], int(contrast));
        }
    }
}

QImage SubpictureSink::composeLocked(const QImage& base) const
{
    const Subpicture* current = currentLocked();
    if (!current || base.isNull())
        return base;
    // The bare picture stays as the renderer made it (it is redrawn when the overlay changes):
    // the overlay goes onto a copy, in a picture reused from the pool.
    const QImage bare = base.convertToFormat(QImage::Format_RGB32);
    QImage* reused = composed_.acquire(bare.size());
    if (!reused)
        return base;
    QImage& out = *reused;
    for (int y = 0; y < bare.height(); ++y)
        std::memcpy(out.scanLine(y), bare.constScanLine(y), size_t(bare.width()) * sizeof(QRgb));
    visitLocked(*current, out.size(), [&out](int x, int y, QRgb colour, int contrast) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        line[x] = Blend(line[x], colour, contrast);
    });
    return out;
}

// The overlay alone, at the picture's size: made again only when what it shows has changed.
QImage SubpictureSink::overlayLocked()
{
    const Subpicture* current = currentLocked();
    if (!current)
        return {};
    if (current == overlayOf_ && overlayGeneration_ == generation_ && !overlay_.isNull())
        return overlay_;
    QImage overlay(pictureWidth_, pictureHeight_, QImage::Format_ARGB32);
    if (overlay.isNull())
        return {};
    overlay.fill(Qt::transparent);
    visitLocked(*current, overlay.size(), [&overlay](int x, int y, QRgb colour, int contrast) {
        reinterpret_cast<QRgb*>(overlay.scanLine(y))[x] = qRgba(qRed(colour), qGreen(colour), qBlue(colour), contrast * 17);
    });
    overlay_ = overlay;
    overlayOf_ = current;
    overlayGeneration_ = generation_;
    return overlay_;
}

}  // namespace dvd
