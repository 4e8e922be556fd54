#include "platform/media/VideoRenderer.h"

#include "platform/system/StartTrace.h"

#include "platform/media/VideoFrameFormat.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include <QRect>

#include <algorithm>
#include <array>
#include <cmath>

namespace media {

QRect fitPicture(QSize room, double aspect)
{
    if (room.isEmpty() || !(aspect > 0))
        return QRect(QPoint(0, 0), room);
    int w = room.width();
    int h = int(std::lround(w / aspect));
    if (h > room.height()) {
        h = room.height();
        w = int(std::lround(h * aspect));
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    return QRect((room.width() - w) / 2, (room.height() - h) / 2, w, h);
}

VideoRenderer::VideoRenderer(FrameQueue& in, Clock& clock, std::shared_ptr<VideoSink> sink)
    : in_(in), clock_(clock), sink_(std::move(sink)), last_(allocFrame())
{
    if (sink_)
        sink_->watchRoom(this, [this] { in_.nudge(); });
}

VideoRenderer::~VideoRenderer()
{
    stop();
    sws_freeContext(sws_);
    sws_freeContext(planar_);
}

void VideoRenderer::start(int width, int height)
{
    width_ = width;
    height_ = height;
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
}

void VideoRenderer::stop()
{
    stop_ = true;
    in_.abort();
    if (thread_.joinable())
        thread_.join();
    if (sink_)
        sink_->watchRoom(this, nullptr);
}

void VideoRenderer::display(const DecodedFrame& decoded)
{
    const AVFrame* frame = decoded.frame.get();
    if ((frame->width != width_ || frame->height != height_) && frame->width > 0 && frame->height > 0) {
        width_ = frame->width;
        height_ = frame->height;
        if (onSizeChanged)
            onSizeChanged(width_, height_);
    }
    convert(frame);
    if (shown_++ == 0)
        firstShownAt_ = Clock::now();
    lastSerial_ = decoded.serial;
    lastEnd_ = decoded.pts + decoded.duration;
}

void VideoRenderer::convert(const AVFrame* frame)
{
    const QSize room = sink_ ? sink_->targetSize() : QSize();
    lastRoom_ = room;
    if (frame != last_.get()) {
        av_frame_unref(last_.get());
        av_frame_ref(last_.get(), frame);
    }
    bool sixteenBit = false;
    if (!room.isEmpty() && frame->width > 0 && frame->height > 0 && sink_->takesFrames(sixteenBit)) {
        hand(frame, sixteenBit);
        return;
    }
    if (!room.isEmpty() && frame->width > 0 && frame->height > 0) {
        const AVRational sar = frame->sample_aspect_ratio;
        const double pixelAspect = sar.num > 0 && sar.den > 0 ? double(sar.num) / sar.den : 1.0;
        const QSize size = convertedSize(fitPicture(room, frame->width * pixelAspect / frame->height));
        // Bilinear quality at the cost of the fastest filter: the picture is shown at this size.
        sws_ = sws_getCachedContext(sws_, frame->width, frame->height, AVPixelFormat(frame->format), size.width(),
                                    size.height(), AV_PIX_FMT_RGB32, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
        // The picture's own matrix and range (HD is BT.709), as the OpenGL output uses them; set
        // again only for a new converter or a change (setting them rebuilds the converter's tables).
        const int standard = colourMatrix(frame->colorspace, frame->width, frame->height) == ColourMatrix::Bt709
                                 ? SWS_CS_ITU709
                                 : SWS_CS_ITU601;
        // (A converter made again for a new size may sit at the old address: the key holds the sizes.)
        const std::array<int, 7> colours{standard, fullRange(frame->color_range, frame->format) ? 1 : 0,
                                         frame->width, frame->height, frame->format, size.width(), size.height()};
        if (sws_ && colours != swsColours_) {
            sws_setColorspaceDetails(sws_, sws_getCoefficients(standard), colours[1],
                                     sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
            swsColours_ = colours;
        }
        QImage* picture = pool_.acquire(size);
        allocations_ = pool_.allocations();
        if (sws_ && picture) {
            uint8_t* dst[4] = {picture->bits(), nullptr, nullptr, nullptr};
            int dstStride[4] = {int(picture->bytesPerLine()), 0, 0, 0};
            sws_scale(sws_, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
            platform::TraceStart("first picture converted");
            sink_->present(*picture);
        }
    }
}

// A frame sink gets the decoded frame itself when it draws its format, a 4:2:0 copy otherwise.
void VideoRenderer::hand(const AVFrame* frame, bool sixteenBit)
{
    bool drawable = frameLayout(frame->format, sixteenBit).has_value();
    for (int i = 0; drawable && i < 3 && frame->data[i]; ++i)
        drawable = frame->linesize[i] > 0;  // upside-down planes are converted
    if (drawable) {
        sink_->presentFrame(*frame, QImage());
        return;
    }
    // A buffer the sink still holds is left to it: the next picture goes into a new one.
    if (!converted_ || converted_->width != frame->width || converted_->height != frame->height
        || !av_frame_is_writable(converted_.get())) {
        converted_ = allocFrame();
        converted_->format = AV_PIX_FMT_YUV420P;
        converted_->width = frame->width;
        converted_->height = frame->height;
        if (av_frame_get_buffer(converted_.get(), 0) < 0) {
            converted_.reset();
            return;
        }
        allocations_ = allocations_ + 1;
    }
    planar_ = sws_getCachedContext(planar_, frame->width, frame->height, AVPixelFormat(frame->format),
                                   frame->width, frame->height, AV_PIX_FMT_YUV420P, SWS_FAST_BILINEAR, nullptr,
                                   nullptr, nullptr);
    if (!planar_)
        return;
    sws_scale(planar_, frame->data, frame->linesize, 0, frame->height, converted_->data, converted_->linesize);
    converted_->sample_aspect_ratio = frame->sample_aspect_ratio;
    converted_->colorspace = frame->colorspace;
    converted_->color_range = fullRange(frame->color_range, frame->format) ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    sink_->presentFrame(*converted_, QImage());
}

void VideoRenderer::run()
{
    // The longest wait without a wake-up: the clock may move on its own (a corrected audio clock).
    constexpr double kLongestWait = 0.05;
    while (!stop_) {
        // Taken first: whatever changes while this turn looks around cuts its wait short.
        const uint64_t seen = in_.changes();
        // A resized window gets the picture it shows again at its new size.
        // (A frame sink scales by itself: it is only given the picture when it had no room before.)
        bool sixteenBit = false;
        if (sink_ && last_->width > 0 && sink_->targetSize() != lastRoom_
            && (!sink_->takesFrames(sixteenBit) || lastRoom_.isEmpty()))
            convert(last_.get());
        else if (sink_ && sink_->takesFrames(sixteenBit))
            lastRoom_ = sink_->targetSize();
        int serial = 0;
        double pts = 0;
        double duration = 0;
        const int current = in_.serial();
        if (!in_.peekTiming(serial, pts, duration)) {
            double wait = kLongestWait;
            if (in_.drained() && endedSerial_ != current) {
                const bool nothingShown = lastSerial_ != current;
                const double now = clock_.get();
                if (freeRun_ || nothingShown || now >= lastEnd_) {
                    endedSerial_ = current;
                    if (onEnded)
                        onEnded(current);
                } else if (!clock_.paused()) {
                    // The end comes when the clock passes the last picture's end.
                    wait = (lastEnd_ - now) / std::max(clock_.speed(), 0.1);
                }
            }
            in_.waitForChange(seen, std::clamp(wait, 0.0, kLongestWait));
            continue;
        }
        // The queue holds frames of its own serial only: a frame of another was looked at just
        // before a seek flushed it, and what stands at the front now is of the new serial.
        if (serial != current)
            continue;
        const bool force = showSerial_ == serial;
        const bool stepping = paused_ && stepCount_ > 0;
        if (paused_ && !force && !stepping && !freeRun_) {
            in_.waitForChange(seen, kLongestWait);
            continue;
        }
        if (!force && !stepping && !freeRun_) {
            const double now = clock_.get();
            if (pts > now) {
                in_.waitForChange(seen, std::clamp((pts - now) / std::max(clock_.speed(), 0.1), 0.0, kLongestWait));
                continue;
            }
            int nextSerial = 0;
            double nextPts = 0;
            double nextDuration = 0;
            if (in_.peekTiming(nextSerial, nextPts, nextDuration, 1) && nextSerial == serial && nextPts <= now) {
                if (in_.takeOf(serial).frame)
                    ++dropped_;
                continue;
            }
        }
        // Of the serial decided on: a seek since then has flushed it, and its own first picture
        // must not be taken for this one.
        DecodedFrame frame = in_.takeOf(serial);
        if (!frame.frame)
            continue;
        display(frame);
        // Only this serial's request is done: a seek made while the picture was being shown has
        // asked for its own first picture, which must still be shown, paused or not.
        if (force) {
            int shownSerial = serial;
            showSerial_.compare_exchange_strong(shownSerial, -1);
        }
        if (stepping) {
            clock_.setIfSerial(frame.pts, frame.serial);
            if (--stepCount_ == 0 && onStepComplete)
                onStepComplete();
        }
    }
}

}  // namespace media
