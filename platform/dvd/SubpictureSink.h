#pragma once
// Lays the DVD's sub-pictures and the menu button highlight over each picture on its way to the
// renderer window. Sub-pictures arrive decoded as 2-bit pixel values with, for each value, an
// entry of the disc's colour table and a contrast; the highlight recolours the pixels inside the
// selected button's rectangle with the button's own entries and contrasts.
//
// Thread-safe: pictures come from the video renderer thread, sub-pictures and highlights from the
// decoding and navigator threads. A change of highlight or sub-picture re-presents the last
// picture, so that a still menu shows it at once. In front of an output that draws decoded frames
// itself, the overlay is handed with each frame as a picture of its own, at the frame's size.
#include "platform/dvd/Navigator.h"
#include "platform/media/Clock.h"
#include "platform/media/PicturePool.h"
#include "platform/media/VideoRenderer.h"

#include <QImage>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace dvd {

// One decoded sub-picture, in picture pixels.
struct Subpicture {
    int x = 0, y = 0;
    int width = 0, height = 0;
    std::vector<uint8_t> values;     // width * height pixel values 0..3
    std::array<uint8_t, 4> colour{};    // colour-table entries for values 0..3
    std::array<uint8_t, 4> contrast{};  // 0 transparent .. 15 opaque
    double start = 0;               // seconds on the playback clock
    double end = 1e300;
    bool forced = false;            // shown even when sub-pictures are off (menus)
    int serial = 0;
};

class SubpictureSink final : public media::VideoSink {
public:
    SubpictureSink(std::shared_ptr<media::VideoSink> inner, const media::Clock& clock);

    QSize targetSize() const override;
    void watchRoom(const void* watcher, std::function<void()> changed) override;
    void present(const QImage& picture) override;
    bool takesFrames(bool& sixteenBit) const override;
    void presentFrame(const AVFrame& frame, const QImage& overlay) override;

    void setPictureSize(int width, int height);
    void setColourTable(const std::array<uint32_t, 16>& ycrcb);
    void setHighlight(const Highlight& highlight);
    void addSubpicture(Subpicture subpicture);
    // Whether sub-pictures that are not forced are shown.
    void setShown(bool shown);
    // Drops every sub-picture of serials before `serial`.
    void flush(int serial);

    // Called on the renderer's thread after each picture is shown (set before the renderer starts).
    std::function<void()> onPresented;

    // The colour-table entry as RGB.
    static QRgb toRgb(uint32_t ycrcb);
    // Pictures allocated for composing so far: a handful, however many pictures carry an overlay.
    int composedAllocations() const;

private:
    void representLocked(std::unique_lock<std::mutex>& lock);
    const Subpicture* currentLocked() const;
    QImage composeLocked(const QImage& base) const;
    QImage overlayLocked();
    // Calls paint(x, y, colour, contrast) for each pixel of an `out`-sized picture that the
    // sub-picture `s` covers with a contrast above 0.
    template <class Paint>
    void visitLocked(const Subpicture& s, QSize out, Paint&& paint) const;

    std::shared_ptr<media::VideoSink> inner_;
    const media::Clock& clock_;
    mutable std::mutex mutex_;
    QImage base_;                          // protected by mutex_: the last picture, bare
    media::FramePtr baseFrame_;            // protected by mutex_: the last decoded frame, for a frame output
    QImage overlay_;                       // protected by mutex_: the overlay made for it
    uint64_t generation_ = 1;              // protected by mutex_: counts changes of what the overlay shows
    uint64_t overlayGeneration_ = 0;       // protected by mutex_
    const Subpicture* overlayOf_ = nullptr;  // protected by mutex_
    int pictureWidth_ = 720;               // protected by mutex_
    int pictureHeight_ = 576;              // protected by mutex_
    std::array<QRgb, 16> palette_{};       // protected by mutex_
    Highlight highlight_;                  // protected by mutex_
    std::deque<Subpicture> subpictures_;   // protected by mutex_
    mutable media::PicturePool composed_;  // protected by mutex_: the pictures with the overlay laid on
    bool shown_ = false;                   // protected by mutex_
};

}  // namespace dvd
