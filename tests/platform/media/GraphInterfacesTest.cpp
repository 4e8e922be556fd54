// What the graph answers through its interfaces: refusals, filters, removal, description, sizes.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include "platform/media/RefusedInterfaces.h"

#include <gtest/gtest.h>

using namespace media;
using mediatest::GraphUnderTest;

namespace {

QStringList filterNames(const com::Ref<FilterGraph>& graph)
{
    com::Ref<IEnumFilters> e;
    graph->EnumFilters(e);
    QStringList names;
    com::Ref<IBaseFilter> f;
    while (e->Next(1, &f, nullptr) == S_OK) {
        QString name;
        f->QueryFilterInfo(name);
        names << name;
    }
    return names;
}

}  // namespace

TEST(GraphInterfaces, InterfacesWithNothingBehindThemAreRefused)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);
    EXPECT_FALSE(com::query<IAMGraphStreams>(g.graph));
    EXPECT_FALSE(com::query<IFilterChain>(g.graph));
    EXPECT_FALSE(com::query<IFilterMapper2>(g.graph));
    EXPECT_FALSE(com::query<IGraphConfig>(g.graph));
    EXPECT_FALSE(com::query<IGraphVersion>(g.graph));
    EXPECT_FALSE(com::query<IMediaEventSink>(g.graph));
    EXPECT_FALSE(com::query<IQueueCommand>(g.graph));
    EXPECT_FALSE(com::query<IResourceManager>(g.graph));
    for (bool present : {bool(com::query<IFilterGraph2>(g.graph)), bool(com::query<IGraphBuilder>(g.graph)),
                         bool(com::query<IMediaControl>(g.graph)), bool(com::query<IMediaEventEx>(g.graph)),
                         bool(com::query<IMediaSeeking>(g.graph)), bool(com::query<IVideoWindow>(g.graph)),
                         bool(com::query<IBasicAudio>(g.graph)), bool(com::query<IBasicVideo2>(g.graph)),
                         bool(com::query<IVideoFrameStep>(g.graph))})
        EXPECT_TRUE(present);
}

TEST(GraphInterfaces, FiltersAreNamedAndTheRendererPinCarriesAColourKey)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);
    const QStringList names = filterNames(g.graph);
    EXPECT_EQ(names.size(), 5);
    EXPECT_TRUE(names.contains("Video Renderer"));
    EXPECT_TRUE(names.contains("Audio Renderer"));
    EXPECT_TRUE(names.first().endsWith("red.avi"));

    com::Ref<IBaseFilter> renderer;
    ASSERT_EQ(g.graph->FindFilterByName("Video Renderer", renderer), S_OK);
    com::Ref<IEnumPins> pins;
    renderer->EnumPins(pins);
    com::Ref<IPin> first;
    ASSERT_EQ(pins->Next(1, &first, nullptr), S_OK);
    auto overlay = com::query<IOverlay>(first);
    ASSERT_TRUE(overlay);
    COLORKEY key;
    EXPECT_EQ(overlay->GetDefaultColorKey(key), S_OK);
    QString media;
    EXPECT_EQ(first->ConnectionMediaType(media), S_OK);
    EXPECT_TRUE(media.contains("320x240"));

    int32_t w = 0, h = 0, x = 0, y = 0;
    auto video = com::query<IBasicVideo2>(g.graph);
    EXPECT_EQ(video->GetVideoSize(w, h), S_OK);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(video->GetPreferredAspectRatio(x, y), S_OK);
    EXPECT_EQ(x * 3, y * 4);
}

TEST(GraphInterfaces, RemovingFiltersStopsTheGraphAndEmptiesIt)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/green.mpg"), S_OK);
    EXPECT_EQ(g.graph->RenderFile(testsupport::media("files/red.avi")), VFW_E_WRONG_STATE);
    g.graph->Run();
    ASSERT_TRUE(testsupport::waitFor([&] { return g.position() > 0.2; }));

    com::Ref<IEnumFilters> e;
    g.graph->EnumFilters(e);
    com::Ref<IBaseFilter> f;
    while (e->Next(1, &f, nullptr) == S_OK)  // a snapshot: removing while walking is safe
        EXPECT_EQ(g.graph->RemoveFilter(f), S_OK);
    EXPECT_EQ(g.graph->RemoveFilter(f), VFW_E_NOT_FOUND);
    EXPECT_EQ(g.filterCount(), 0u);
    FILTER_STATE state;
    g.graph->GetState(0, state);
    EXPECT_EQ(state, State_Stopped);
    EXPECT_FALSE(com::query<IVideoWindow>(g.graph));
    EXPECT_FALSE(com::query<IBasicAudio>(g.graph));

    ASSERT_EQ(g.render("files/tone440.wav"), S_OK);
    EXPECT_EQ(filterNames(g.graph).size(), 3);
}

TEST(GraphInterfaces, DescriptionNamesFiltersStatesAndMedia)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);
    g.graph->Pause();
    const QString text = QString::fromStdString(g.graph->describe());
    EXPECT_TRUE(text.contains("Graph state: Paused"));
    EXPECT_TRUE(text.contains("Filter \"Video Renderer\" [Paused]"));
    EXPECT_TRUE(text.contains("Video: mpeg4 320x240"));
    EXPECT_TRUE(text.contains("Audio: mp3"));
}

TEST(GraphInterfaces, FrameStepWhilePausedShowsPicturesAndReportsCompletion)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);
    auto step = com::query<IVideoFrameStep>(g.graph);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->Step(1, nullptr), VFW_E_WRONG_STATE);  // only from a paused graph
    g.graph->Pause();
    EXPECT_EQ(step->CanStep(0, nullptr), S_OK);
    ASSERT_EQ(step->Step(3, nullptr), S_OK);
    EXPECT_TRUE(g.waitForEvent(EC_STEP_COMPLETE, 5));
    EXPECT_NEAR(g.position(), 0.12, 0.1);
}
