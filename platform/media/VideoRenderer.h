#pragma once
// The video renderer thread: shows each decoded picture when the playback clock reaches its time.
// A picture whose successor is already due is dropped rather than shown late; while paused the
// last picture stays. After a seek (or at the start) one picture of the new position is shown even
// when paused, so that a stopped or paused graph shows where it stands.
//
// Pictures are converted with libswscale to 32-bit RGB in one pass, straight at the size they are
// shown at (the picture keeps its display aspect ratio inside the room the sink asks for), into
// pictures reused from a pool, and handed to the sink from this thread. A sink that draws the
// decoder's planes itself (the OpenGL output) gets the decoded frames instead, converted only
// when their pixel format is not one it draws.
#include "platform/media/Clock.h"
#include "platform/media/FrameQueue.h"
#include "platform/media/PicturePool.h"

#include <QImage>
#include <QSize>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

struct AVFrame;
struct SwsContext;

namespace media {

// Where pictures go. Implementations must be thread-safe: present() and targetSize() are called
// from the renderer thread.
class VideoSink {
public:
    virtual ~VideoSink() = default;
    // The room the picture may fill; an empty size asks for no picture at all (null output).
    virtual QSize targetSize() const = 0;
    // Has `changed` called (from any thread) whenever targetSize() changes, for `watcher` (the
    // last to ask); a null `changed` stops it, unless another watcher has asked since.
    virtual void watchRoom(const void* watcher, std::function<void()> changed)
    {
        (void)watcher;
        (void)changed;
    }
    // A converted picture, already fitted to targetSize() with its aspect ratio kept (its width
    // may be a pixel short of the fitted rectangle's, see convertedSize). Its pixels are reused
    // for a later picture once every copy of it is gone: keep a copy, never a pointer to them.
    virtual void present(const QImage& picture) = 0;

    // Whether the sink draws decoded frames itself: present() is then never called, and
    // presentFrame() gets each picture in a format frameLayout() knows (with `sixteenBit`).
    virtual bool takesFrames(bool& sixteenBit) const
    {
        sixteenBit = false;
        return false;
    }
    // A decoded picture, valid during the call only (take a reference to keep it), and what is
    // laid over it: an RGBA picture (not premultiplied) covering the frame, or a null image.
    virtual void presentFrame(const AVFrame& frame, const QImage& overlay)
    {
        (void)frame;
        (void)overlay;
    }
};

class VideoRenderer {
public:
    VideoRenderer(FrameQueue& in, Clock& clock, std::shared_ptr<VideoSink> sink);
    ~VideoRenderer();
    VideoRenderer(const VideoRenderer&) = delete;
    VideoRenderer& operator=(const VideoRenderer&) = delete;

    // `width` x `height`: the picture size known when the graph was built.
    void start(int width, int height);
    // Aborts the input queue and joins the thread.
    void stop();
    // Each control wakes the thread at once: it waits for them, the queue and the sink's room
    // rather than looking at them every few milliseconds.
    void setPaused(bool paused)
    {
        paused_ = paused;
        in_.nudge();
    }
    // Shows the first picture of `serial` whatever the state (after a seek, at the start).
    void showFirstOf(int serial)
    {
        showSerial_ = serial;
        in_.nudge();
    }
    // While paused: shows the next `frames` pictures, moving the clock, then calls onStepComplete.
    void step(int frames)
    {
        stepCount_ = frames;
        in_.nudge();
    }
    void cancelStep() { stepCount_ = 0; }
    // Shows every picture at once, ignoring the clock (throughput measurements).
    void setFreeRun(bool on)
    {
        freeRun_ = on;
        in_.nudge();
    }

    uint64_t shown() const { return shown_; }
    uint64_t dropped() const { return dropped_; }
    // Pictures allocated so far: a handful, however long the playback.
    int pictureAllocations() const { return allocations_; }
    // Monotonic time (Clock::now) at which the first picture was shown; 0 until then.
    double firstShownAt() const { return firstShownAt_; }

    // All called from the renderer thread.
    std::function<void(int serial)> onEnded;
    std::function<void(int width, int height)> onSizeChanged;
    std::function<void()> onStepComplete;

private:
    void run();
    void display(const DecodedFrame& frame);
    void convert(const AVFrame* frame);
    void hand(const AVFrame* frame, bool sixteenBit);

    FrameQueue& in_;
    Clock& clock_;
    std::shared_ptr<VideoSink> sink_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> paused_{true};
    std::atomic<bool> freeRun_{false};
    std::atomic<int> showSerial_{0};
    std::atomic<int> stepCount_{0};
    std::atomic<uint64_t> shown_{0};
    std::atomic<uint64_t> dropped_{0};
    std::atomic<int> allocations_{0};
    std::atomic<double> firstShownAt_{0};

    // Renderer thread only:
    SwsContext* sws_ = nullptr;
    std::array<int, 7> swsColours_{};  // the matrix, range and sizes sws_ was set up for
    SwsContext* planar_ = nullptr;  // to YUV 4:2:0 for a frame sink, when the format needs it
    FramePtr converted_;            // its output, reused
    PicturePool pool_;
    int width_ = 0;
    int height_ = 0;
    int endedSerial_ = -1;
    int lastSerial_ = -1;
    double lastEnd_ = 0;
    FramePtr last_;    // the picture on show, kept for redrawing at a new size
    QSize lastRoom_;
};

// The rectangle of `room` that a picture of display aspect `aspect` fills, centred.
QRect fitPicture(QSize room, double aspect);

}  // namespace media
