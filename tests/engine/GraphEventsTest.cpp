// The event pump of the graph components: order, batching, decoding of parameters, the guard.
#include "engine/ApplicationException.h"
#include "engine/TDSFilterGraph2.h"
#include "platform/com/WindowMessage.h"
#include "platform/media/FilterGraph.h"
#include "support/TestSupport.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace media;

namespace {

// Counts the notifications reaching the component's hidden window.
class NotificationCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == com::WindowMessageEvent::type())
            ++count;
        return false;
    }
    int count = 0;
};

struct Fixture {
    TDSFilterGraph2 graph;
    NotificationCounter counter;

    Fixture()
    {
        graph.Connect();
        EXPECT_EQ(graph.IFilterGraph2()->RenderFile(testsupport::media("files/tone440.wav")), S_OK);
        graph.QueryGraphInterfaces();
        graph.NotifyWindow()->installEventFilter(&counter);
    }
    EventQueue& events() { return std::dynamic_pointer_cast<FilterGraph>(graph.IFilterGraph2())->events(); }
    void pump() { QCoreApplication::processEvents(); }
};

}  // namespace

TEST(GraphEvents, EventsQueuedBeforeOneNotificationAreAllHandledInOrderInThatMessage)
{
    Fixture f;
    std::vector<std::pair<int32_t, int>> seen;  // code, notification it was handled in
    f.graph.OnDSEvent = [&](TDSGraph* sender, int32_t code, LONG_PTR, LONG_PTR) {
        EXPECT_EQ(sender, &f.graph);
        seen.emplace_back(code, f.counter.count);
    };
    f.events().put(EC_PAUSED, S_OK, 0);
    f.events().put(0x04, 1, 2);
    f.events().put(EC_COMPLETE, S_OK, 0);
    f.pump();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(EC_PAUSED, 1));
    EXPECT_EQ(seen[1], std::make_pair(int32_t(0x04), 1));
    EXPECT_EQ(seen[2], std::make_pair(EC_COMPLETE, 1));
    EXPECT_EQ(f.counter.count, 3);  // the later notifications found the queue empty
}

TEST(GraphEvents, RawEventFirstForEveryCodeAloneForCodesWithoutAComponentEvent)
{
    Fixture f;
    std::vector<std::string> order;
    f.graph.OnDSEvent = [&](TDSGraph*, int32_t code, LONG_PTR, LONG_PTR) { order.push_back("raw " + std::to_string(code)); };
    f.graph.OnGraphComplete = [&](TDSGraph*, HRESULT result, IBaseFilter* renderer) {
        order.push_back("complete " + std::to_string(result) + (renderer ? " renderer" : ""));
    };
    f.graph.OnGraphVideoSizeChanged = [&](TDSGraph*, TVideoSize size) {
        order.push_back("size " + std::to_string(size.Width) + "x" + std::to_string(size.Height));
    };
    f.graph.OnGraphErrorAbort = [&](TDSGraph*, HRESULT result) { order.push_back("abort " + com::resultText(result)); };
    f.events().put(EC_COMPLETE, S_OK, 0);
    f.events().put(0x04, 0, 0);
    f.events().put(EC_VIDEO_SIZE_CHANGED, (288 << 16) | 352, 0);
    f.events().put(EC_ERRORABORT, E_FAIL, 0);
    f.events().put(EC_USERABORT, 0, 0);  // no handler assigned: only the raw event
    f.pump();
    EXPECT_EQ(order, (std::vector<std::string>{"raw 1", "complete 0", "raw 4", "raw 10", "size 352x288", "raw 3",
                                               "abort 0x80004005", "raw 2"}));
}

TEST(GraphEvents, ParametersAreDecodedAsThePlatformDefinesThem)
{
    Fixture f;
    std::vector<bool> opening, buffering, removed;
    int64_t streamTime = 0;
    uint32_t segment = 0;
    QString s1, s2;
    f.graph.OnGraphOpeningFile = [&](TDSGraph*, bool v) { opening.push_back(v); };
    f.graph.OnGraphBufferingData = [&](TDSGraph*, bool v) { buffering.push_back(v); };
    f.graph.OnGraphDeviceLost = [&](TDSGraph*, com::IUnknown*, bool v) { removed.push_back(v); };
    f.graph.OnGraphEndOfSegment = [&](TDSGraph*, int64_t t, uint32_t n) {
        streamTime = t;
        segment = n;
    };
    f.graph.OnGraphOleEvent = [&](TDSGraph*, const QString& a, const QString& b) {
        s1 = a;
        s2 = b;
    };
    for (LONG_PTR p : {0, 1, 2}) {
        f.events().put(EC_OPENING_FILE, p, 0);
        f.events().put(EC_BUFFERING_DATA, p, 0);
        f.events().put(EC_DEVICE_LOST, 0, p);
    }
    f.events().putEndOfSegment(9'876'543'210'123LL, 4);
    f.events().putOleEvent(QStringLiteral("Évènement"), QStringLiteral("deux"));
    f.pump();
    EXPECT_EQ(opening, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(buffering, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(removed, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(streamTime, 9'876'543'210'123LL);  // read through the pointer, not the pointer itself
    EXPECT_EQ(segment, 4u);
    EXPECT_EQ(s1, QStringLiteral("Évènement"));
    EXPECT_EQ(s2, QStringLiteral("deux"));
}

TEST(GraphEvents, AHandlerRaisingEndsTheDrainTheRestComesWithTheNextNotification)
{
    Fixture f;
    std::vector<QString> shown;
    SetApplicationExceptionHandler([&](const QString& message) { shown.push_back(message); });
    std::vector<std::pair<int32_t, int>> handled;  // code, notification it was handled in
    f.graph.OnDSEvent = [&](TDSGraph*, int32_t code, LONG_PTR, LONG_PTR) {
        handled.emplace_back(code, f.counter.count);
        if (code == EC_PAUSED)
            throw std::runtime_error("boum");
    };
    f.events().put(EC_PAUSED, 0, 0);
    f.events().put(EC_COMPLETE, 0, 0);
    f.pump();
    EXPECT_EQ(shown, std::vector<QString>{"boum"});
    EXPECT_EQ(handled, (std::vector<std::pair<int32_t, int>>{{EC_PAUSED, 1}, {EC_COMPLETE, 2}}));
    SetApplicationExceptionHandler(nullptr);
}

TEST(GraphEvents, AHandlerDestroyingItsComponentEndsTheDrainCleanly)
{
    auto graph = std::make_unique<TDSFilterGraph2>();
    graph->Connect();
    ASSERT_EQ(graph->IFilterGraph2()->RenderFile(testsupport::media("files/tone440.wav")), S_OK);
    graph->QueryGraphInterfaces();
    auto queue = std::dynamic_pointer_cast<FilterGraph>(graph->IFilterGraph2());
    std::vector<int32_t> handled;
    graph->OnDSEvent = [&](TDSGraph*, int32_t code, LONG_PTR, LONG_PTR) {
        handled.push_back(code);
        if (code == EC_PAUSED)
            graph.reset();  // the owner lets the component go from its own event
    };
    queue->events().put(EC_PAUSED, 0, 0);
    queue->events().put(EC_COMPLETE, 0, 0);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(graph, nullptr);
    // Nothing of the destroyed component ran after its handler.
    EXPECT_EQ(handled, std::vector<int32_t>{EC_PAUSED});
}

TEST(GraphEvents, EndOfStreamReachesOnGraphCompleteOnceThroughTheRealPlatform)
{
    TDSFilterGraph2 graph;
    graph.Connect();
    ASSERT_EQ(graph.IFilterGraph2()->RenderFile(testsupport::media("files/green.mpg")), S_OK);
    graph.QueryGraphInterfaces();
    ASSERT_TRUE(graph.IMediaSeeking());
    graph.IMediaSeeking()->SetRate(4.0);
    int completes = 0;
    graph.OnGraphComplete = [&](TDSGraph*, HRESULT result, IBaseFilter*) {
        EXPECT_EQ(result, S_OK);
        ++completes;
    };
    graph.IMediaControl()->Run();
    EXPECT_TRUE(testsupport::waitFor([&] { return completes > 0; }, std::chrono::seconds(8)));
    testsupport::pumpFor(std::chrono::milliseconds(500));
    EXPECT_EQ(completes, 1);
}
