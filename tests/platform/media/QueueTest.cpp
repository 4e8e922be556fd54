// Serials of the queues, the event queue's parameters and its notifications.
#include "platform/com/WindowMessage.h"
#include "platform/media/Decoder.h"
#include "platform/media/EventQueue.h"
#include "platform/media/FrameQueue.h"
#include "platform/media/PacketQueue.h"
#include "platform/media/VideoRenderer.h"
#include "platform/media/WindowSink.h"
#include "support/TestSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include <sys/resource.h>

#include <QObject>

#include <gtest/gtest.h>

using namespace media;

TEST(Queues, FlushDropsWaitingItemsAndStartsANewSerial)
{
    PacketQueue packets;
    AVPacket* p = av_packet_alloc();
    av_new_packet(p, 100);
    packets.put(p);
    EXPECT_EQ(packets.bytes(), 100u);
    packets.flush(5);
    EXPECT_EQ(packets.count(), 0u);
    packets.putEnd();
    int serial = -1;
    ASSERT_EQ(packets.get(p, serial, false), 1);
    EXPECT_EQ(serial, 5);
    EXPECT_EQ(p->data, nullptr);  // the end marker
    EXPECT_EQ(packets.get(p, serial, false), 0);
    packets.abort();
    EXPECT_EQ(packets.get(p, serial, true), -1);
    av_packet_free(&p);

    FrameQueue frames(2);
    frames.push({allocFrame(), 0, 0.0, 0.04});
    frames.markFinished(0);
    EXPECT_FALSE(frames.drained());  // one frame left
    frames.flush(1);
    EXPECT_FALSE(frames.drained());  // finished only for the old serial
    EXPECT_TRUE(frames.push({allocFrame(), 0, 0.0, 0.04}));
    EXPECT_EQ(frames.size(), 0u);  // a stale frame is not queued
    frames.markFinished(1);
    EXPECT_TRUE(frames.drained());

    // A renderer that looked at a frame of serial 1 just before a flush does not take the new
    // serial's first frame in its place.
    frames.flush(2);
    ASSERT_TRUE(frames.push({allocFrame(), 2, 8.0, 0.04}));
    EXPECT_FALSE(frames.takeOf(1).frame);
    EXPECT_EQ(frames.size(), 1u);
    const DecodedFrame first = frames.takeOf(2);
    EXPECT_TRUE(first.frame);
    EXPECT_EQ(first.pts, 8.0);
}

namespace {

class NotifyWindow : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != com::WindowMessageEvent::type())
            return QObject::event(e);
        auto* m = static_cast<com::WindowMessageEvent*>(e);
        messages.push_back({m->message, m->lParam});
        return true;
    }
    std::vector<std::pair<uint32_t, intptr_t>> messages;
};

}  // namespace

TEST(EventQueue, NotifiesTheWindowAndKeepsPointedParametersUntilFreed)
{
    EventQueue queue;
    NotifyWindow window;
    queue.put(EC_COMPLETE, S_OK, 0);  // waiting before any window is set
    queue.SetNotifyWindow(&window, WM_GRAPHNOTIFY, 0x1234);
    queue.putEndOfSegment(123456789012345LL, 7);
    queue.putOleEvent("un", "deux");
    ASSERT_TRUE(testsupport::waitFor([&] { return window.messages.size() >= 3; }));
    EXPECT_EQ(window.messages.front(), std::make_pair(WM_GRAPHNOTIFY, intptr_t(0x1234)));

    int32_t code;
    LONG_PTR p1, p2;
    ASSERT_EQ(queue.GetEvent(code, p1, p2, 0), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    queue.FreeEventParams(code, p1, p2);
    ASSERT_EQ(queue.GetEvent(code, p1, p2, 0), S_OK);
    EXPECT_EQ(code, EC_END_OF_SEGMENT);
    EXPECT_EQ(p2, 7);
    int32_t code2;
    LONG_PTR q1, q2;
    ASSERT_EQ(queue.GetEvent(code2, q1, q2, 0), S_OK);
    EXPECT_EQ(*reinterpret_cast<const int64_t*>(p1), 123456789012345LL);  // still valid
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(q2)), "deux");
    queue.FreeEventParams(code, p1, p2);
    queue.FreeEventParams(code2, q1, q2);
    EXPECT_EQ(queue.GetEvent(code, p1, p2, 0), E_ABORT);

    // Notifications off: waiting events go and new ones are not queued.
    queue.put(EC_PAUSED, 0, 0);
    EXPECT_EQ(queue.SetNotifyFlags(AM_MEDIAEVENT_NONOTIFY), S_OK);
    queue.put(EC_COMPLETE, 0, 0);
    EXPECT_EQ(queue.GetEvent(code, p1, p2, 0), E_ABORT);
    EXPECT_EQ(queue.SetNotifyFlags(2), E_INVALIDARG);
}

TEST(EventQueue, AFloodNobodyDrainsIsBoundedAndTheFirstEventsStay)
{
    EventQueue queue;
    for (int i = 0; i < 5000; ++i)
        queue.put(EC_PAUSED, i, 0);
    EXPECT_EQ(queue.dropped(), size_t(5000) - EventQueue::kMaxWaiting);
    int32_t code;
    LONG_PTR p1, p2;
    size_t drained = 0;
    LONG_PTR last = -1;
    while (queue.GetEvent(code, p1, p2, 0) == S_OK) {
        EXPECT_EQ(p1, last + 1);  // in order, nothing lost in between
        last = p1;
        queue.FreeEventParams(code, p1, p2);
        ++drained;
    }
    EXPECT_EQ(drained, EventQueue::kMaxWaiting);
    // Drained, it takes events again.
    queue.put(EC_COMPLETE, 0, 0);
    EXPECT_EQ(queue.GetEvent(code, p1, p2, 0), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
}

namespace {

DecodedFrame picture(int width, int height, double pts)
{
    DecodedFrame f{allocFrame(), 0, pts, 0.04};
    f.frame->width = width;
    f.frame->height = height;
    f.frame->format = 0;  // planar YUV 4:2:0
    av_frame_get_buffer(f.frame.get(), 0);
    return f;
}

}  // namespace

TEST(VideoRenderer, ANewPictureSizeIsReportedAndTheEndComesAfterTheLastPicture)
{
    FrameQueue frames(8);
    Clock clock;
    VideoRenderer renderer(frames, clock, nullptr);
    std::mutex mutex;
    std::vector<std::pair<int, int>> sizes;
    std::atomic<int> ended{-1};
    renderer.onSizeChanged = [&](int w, int h) {
        std::lock_guard lock(mutex);
        sizes.emplace_back(w, h);
    };
    renderer.onEnded = [&](int serial) { ended = serial; };
    renderer.setFreeRun(true);
    renderer.start(320, 240);
    frames.push(picture(320, 240, 0.0));
    frames.push(picture(320, 240, 0.04));
    frames.push(picture(352, 288, 0.08));
    frames.markFinished(0);
    ASSERT_TRUE(testsupport::waitFor([&] { return ended == 0; }));
    EXPECT_EQ(renderer.shown(), 3u);
    std::lock_guard lock(mutex);
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{352, 288}}));
}

namespace {

// The process's voluntary context switches (every thread's waits that ended) during 300 ms.
long wakeUpsOver300Ms()
{
    rusage before {};
    getrusage(RUSAGE_SELF, &before);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    rusage after {};
    getrusage(RUSAGE_SELF, &after);
    return after.ru_nvcsw - before.ru_nvcsw;
}

}  // namespace

// Paused, or playing with nothing decoded yet, the renderer sleeps until something it obeys
// changes (it used to wake every 2 to 5 ms), and still answers each change at once.
TEST(VideoRenderer, SleepsUntilAControlTheQueueOrTheRoomChanges)
{
    auto sink = std::make_shared<WindowSink>(false, false);
    sink->setRoom(QSize(320, 240));
    Clock clock;
    {
        FrameQueue frames(4);
        VideoRenderer renderer(frames, clock, sink);
        renderer.start(320, 240);
        // Paused at the start, the first picture is shown and the next waits.
        ASSERT_TRUE(frames.push(picture(320, 240, 0.0)));
        ASSERT_TRUE(testsupport::waitFor([&] { return renderer.shown() == 1; }));
        ASSERT_TRUE(frames.push(picture(320, 240, 0.04)));
        EXPECT_LT(wakeUpsOver300Ms(), 25);
        EXPECT_EQ(renderer.shown(), 1u);

        clock.set(0.0, 0);
        clock.setPaused(false);
        renderer.setPaused(false);
        ASSERT_TRUE(testsupport::waitFor([&] { return renderer.shown() == 2; }));
        EXPECT_LT(wakeUpsOver300Ms(), 25);  // playing, nothing decoded yet

        // Paused on the picture, a new room shows it again at that size.
        renderer.setPaused(true);
        clock.setPaused(true);
        sink->setRoom(QSize(160, 120));
        ASSERT_TRUE(testsupport::waitFor([&] { return sink->picture().size() == QSize(160, 120); }));

        // A step shows the next picture.
        ASSERT_TRUE(frames.push(picture(320, 240, 0.08)));
        renderer.step(1);
        ASSERT_TRUE(testsupport::waitFor([&] { return renderer.shown() == 3; }));
    }
    // The renderer and its queue gone, the window may still be resized: nobody is told any more.
    sink->setRoom(QSize(640, 480));
}

TEST(FitPicture, KeepsTheAspectRatioWithBarsOnTheLongSide)
{
    EXPECT_EQ(fitPicture(QSize(640, 480), 4.0 / 3), QRect(0, 0, 640, 480));
    EXPECT_EQ(fitPicture(QSize(640, 480), 16.0 / 9), QRect(0, 60, 640, 360));
    EXPECT_EQ(fitPicture(QSize(640, 480), 1.0), QRect(80, 0, 480, 480));
}

TEST(Decoder, ALongRunOfUndecodablePacketsIsReportedOnceAsABrokenStream)
{
    const AVCodec* mp2 = avcodec_find_decoder(AV_CODEC_ID_MP2);
    ASSERT_TRUE(mp2);
    CodecContextPtr ctx(avcodec_alloc_context3(mp2));
    ASSERT_EQ(avcodec_open2(ctx.get(), mp2, nullptr), 0);
    PacketQueue packets;
    FrameQueue frames(4);
    Decoder decoder(std::move(ctx), 1.0 / 44100, 0.0, 0.0, packets, frames);
    std::atomic<int> failures{0};
    decoder.onFailure = [&](int) { ++failures; };
    decoder.start();
    AVPacket* p = av_packet_alloc();
    for (int i = 0; i < 2 * Decoder::kFailureRun; ++i) {
        av_new_packet(p, 256);
        std::fill(p->data, p->data + 256, uint8_t(i * 37 + 11));  // no frame header anywhere
        packets.put(p);
    }
    packets.putEnd();
    EXPECT_TRUE(testsupport::waitFor([&] { return frames.drained(); }));
    EXPECT_EQ(failures, 1);
    av_packet_free(&p);
    decoder.stop();
}
