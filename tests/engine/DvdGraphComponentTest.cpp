// The DVD graph component on the generated disc: connection, rendering, bookmarks, registration.
#include "engine/TDSDVDGraph.h"

#include "platform/com/ObjectServices.h"
#include "platform/com/RunningObjectTable.h"
#include "platform/com/StructuredStorage.h"
#include "platform/dvd/VolumeFinder.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>

using namespace com;
using namespace dvd;
using testsupport::waitFor;
using namespace std::chrono_literals;

namespace {

// Starts a DVD the way the player does: connect, render with no path, interfaces, options, run.
HRESULT StartDvd(TDSDVDGraph& graph)
{
    graph.Disconnect();
    graph.Connect();
    AM_DVD_RENDERSTATUS status;
    const HRESULT hr = graph.IDvdGraphBuilder()->RenderDvdVideoVolume({}, AM_DVD_HWDEC_PREFER, status);
    if (FAILED(hr))
        return hr;
    graph.QueryGraphInterfaces();
    if (graph.IDvdControl2()) {
        graph.IDvdControl2()->SetOption(DVD_NotifyParentalLevelChange, false);
        graph.IDvdControl2()->SetOption(DVD_HMSF_TimeCodeEvents, true);
    }
    if (graph.IMediaControl())
        graph.IMediaControl()->Run();
    return hr;
}

bool InTitle(TDSDVDGraph& graph, uint32_t title, uint32_t chapter)
{
    uint32_t t = 0, c = 0;
    DVD_HMSF_TIMECODE time{};
    return graph.IDvdInfo2() && SUCCEEDED(graph.IDvdInfo2()->GetCurrentLocation(t, c, time)) && t == title
           && c == chapter;
}

bool InMenu(TDSDVDGraph& graph)
{
    DVD_DOMAIN d = DVD_DOMAIN_Stop;
    return graph.IDvdInfo2() && SUCCEEDED(graph.IDvdInfo2()->GetCurrentDomain(d)) && d == DVD_DOMAIN_VideoManagerMenu;
}

int EntriesOfThisProcess()
{
    int n = 0;
    for (const auto& entry : com::RunningObjectTable::entries())
        n += com::RunningObjectTable::pidOfName(entry.name) == long(QCoreApplication::applicationPid());
    return n;
}

class DvdComponent : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPreferredVolume(testsupport::media("dvd"));
        dir = std::make_unique<QTemporaryDir>();
        bookmark = dir->filePath("bookmark.bmk");
    }
    void TearDown() override { SetPreferredVolume({}); }
    std::unique_ptr<QTemporaryDir> dir;
    QString bookmark;
};

}  // namespace

TEST_F(DvdComponent, FindsThePreferredVolumeAndPlaysItsMenu)
{
    TDSDVDGraph graph;
    graph.SetRotEnabled(true);
    int chapters = 0, titles = 0;
    graph.OnDVDChapterStart = [&](TDSDVDGraph*, int32_t) { ++chapters; };
    graph.OnDVDTitleChange = [&](TDSDVDGraph*, int32_t) { ++titles; };
    std::vector<int> seconds;
    graph.OnDVDCurrentHMSFTime = [&](TDSDVDGraph*, TDVD_HMSF_TIMECODE t, TDVD_TimeCode&) {
        seconds.push_back(t.bSeconds);
    };
    ASSERT_EQ(StartDvd(graph), S_OK);
    ASSERT_TRUE(graph.IDvdControl2() && graph.IDvdInfo2() && graph.IMediaControl() && graph.IMediaEventEx());
    EXPECT_FALSE(graph.IAMLine21Decoder());
    EXPECT_FALSE(graph.IMediaSeeking());
    // The menu, then title 1 through the control interface; events reach the component.
    ASSERT_TRUE(waitFor([&] {
        uint32_t available = 0, current = 0;
        graph.IDvdInfo2()->GetCurrentButton(available, current);
        return available == 2;
    }));
    ASSERT_EQ(graph.IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(waitFor([&] { return InTitle(graph, 1, 1) && seconds.size() >= 3; }, 8s));
    EXPECT_GE(titles, 1);
    EXPECT_GE(chapters, 1);
    for (size_t i = 1; i < seconds.size(); ++i)
        EXPECT_EQ(seconds[i], seconds[i - 1] + 1);
}

TEST_F(DvdComponent, BookmarkRestoresThePlaceInANewGraph)
{
    uint32_t savedChapter = 0;
    DVD_HMSF_TIMECODE savedTime{};
    {
        TDSDVDGraph graph;
        // Before any render there is nothing to save: no file appears.
        graph.SaveBookmark(bookmark);
        EXPECT_FALSE(QFile::exists(bookmark));
        ASSERT_EQ(StartDvd(graph), S_OK);
        ASSERT_TRUE(waitFor([&] { return graph.IDvdInfo2() && graph.IDvdControl2(); }));
        ASSERT_EQ(graph.IDvdControl2()->PlayChapterInTitle(1, 2, 0, nullptr), S_OK);
        ASSERT_TRUE(waitFor([&] { return InTitle(graph, 1, 2); }));
        testsupport::pumpFor(1200ms);
        uint32_t title = 0;
        graph.IDvdInfo2()->GetCurrentLocation(title, savedChapter, savedTime);
        graph.SaveBookmark(bookmark);
        ASSERT_EQ(graph.LastBookmarkResult(), S_OK);
        ASSERT_TRUE(QFile::exists(bookmark));
        graph.IMediaControl()->Stop();
    }
    TDSDVDGraph graph;
    ASSERT_EQ(StartDvd(graph), S_OK);
    ASSERT_TRUE(waitFor([&] { return InMenu(graph); }));
    graph.RestoreBookmark(bookmark);
    ASSERT_EQ(graph.LastBookmarkResult(), S_OK);
    ASSERT_TRUE(waitFor([&] { return InTitle(graph, 1, savedChapter); }));
    uint32_t title = 0, chapter = 0;
    DVD_HMSF_TIMECODE time{};
    graph.IDvdInfo2()->GetCurrentLocation(title, chapter, time);
    EXPECT_NEAR(time.bSeconds, savedTime.bSeconds, 1);
}

TEST_F(DvdComponent, BadBookmarksChangeNothing)
{
    TDSDVDGraph graph;
    // Restoring with no graph does nothing; with no file neither.
    graph.RestoreBookmark(bookmark);
    ASSERT_EQ(StartDvd(graph), S_OK);
    ASSERT_TRUE(waitFor([&] { return InMenu(graph); }));
    graph.RestoreBookmark(bookmark);
    EXPECT_LT(graph.LastBookmarkResult(), 0);
    QFile garbage(bookmark);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x5A'));
    garbage.close();
    graph.RestoreBookmark(bookmark);
    EXPECT_LT(graph.LastBookmarkResult(), 0);
    DVD_DOMAIN domain = DVD_DOMAIN_Stop;
    graph.IDvdInfo2()->GetCurrentDomain(domain);
    EXPECT_EQ(domain, DVD_DOMAIN_VideoManagerMenu);
}

namespace {

// A class the program knows that is not a navigator state: a bookmark naming it must not make one.
std::atomic<int> g_probesMade{0};
class Probe final : public IPersistStream {
public:
    static constexpr com::Guid CLSID{"{6D1C39A0-5E2B-4F7C-8A11-2B9E0C4D7F53}"};
    HRESULT QueryInterface(const com::Guid& iid, com::Ref<com::IUnknown>& out) override
    {
        return answerQuery<IPersistStream>(iid, out);
    }
    HRESULT GetClassID(com::Guid& clsid) override
    {
        clsid = CLSID;
        return S_OK;
    }
    HRESULT Load(IStream&) override { return S_OK; }
    HRESULT Save(IStream& stream, bool) override { return stream.Write("probe", 5, nullptr); }
    HRESULT GetSizeMax(uint64_t& size) override
    {
        size = 5;
        return S_OK;
    }
};

}  // namespace

TEST_F(DvdComponent, ABookmarkOfAnotherClassIsRefusedAndNothingIsMadeFromIt)
{
    com::registerClass(Probe::CLSID, "Vistrel.TestProbe", [] {
        ++g_probesMade;
        return com::Ref<com::IUnknown>(std::make_shared<Probe>());
    });
    Probe probe;
    MemoryStream stream;
    ASSERT_EQ(OleSaveToStream(probe, stream), S_OK);
    ASSERT_EQ(WriteCompoundFile(bookmark, "BookMark", stream.bytes()), S_OK);

    TDSDVDGraph graph;
    ASSERT_EQ(StartDvd(graph), S_OK);
    ASSERT_TRUE(waitFor([&] { return InMenu(graph); }));
    graph.RestoreBookmark(bookmark);
    EXPECT_EQ(graph.LastBookmarkResult(), VFW_E_DVD_STATE_CORRUPT);
    EXPECT_EQ(g_probesMade.load(), 0);
}

TEST_F(DvdComponent, StopAndReplayKeepsOneRegistration)
{
    TDSDVDGraph graph;
    graph.SetRotEnabled(true);
    const int before = EntriesOfThisProcess();
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(StartDvd(graph), S_OK);
        EXPECT_EQ(EntriesOfThisProcess(), before + 1);
        graph.IMediaControl()->Stop();
        graph.Disconnect();
        EXPECT_EQ(EntriesOfThisProcess(), before);
    }
}

TEST(DvdComponentWithoutDisc, NothingFoundIsPartialSuccessAndNothingFailsLater)
{
    SetPreferredVolume(testsupport::media("files"));
    TDSDVDGraph graph;
    graph.Connect();
    AM_DVD_RENDERSTATUS status;
    const HRESULT hr = graph.IDvdGraphBuilder()->RenderDvdVideoVolume({}, AM_DVD_HWDEC_PREFER, status);
    // Other volumes of this machine might hold a disc; ours names none.
    if (hr == S_FALSE) {
        EXPECT_TRUE(status.bDvdVolUnknown);
    }
    graph.QueryGraphInterfaces();
    if (graph.IMediaControl()) {
        EXPECT_EQ(graph.IMediaControl()->Run(), S_OK);
    }
    graph.SaveBookmark(QStringLiteral("/nonexistent/dir/bookmark.bmk"));
    SetPreferredVolume({});
}

TEST_F(DvdComponent, AngleEventsFollowTheTitlesAndTheChoice)
{
    SetPreferredVolume(testsupport::media("dvd-angle"));
    TDSDVDGraph graph;
    std::vector<bool> available;
    std::vector<std::pair<int32_t, int32_t>> changes;
    std::vector<int> seconds;
    graph.OnDVDAnglesAvailable = [&](TDSDVDGraph*, bool a) { available.push_back(a); };
    graph.OnDVDAngleChange = [&](TDSDVDGraph*, int32_t total, int32_t current) {
        changes.emplace_back(total, current);
    };
    graph.OnDVDCurrentHMSFTime = [&](TDSDVDGraph*, TDVD_HMSF_TIMECODE t, TDVD_TimeCode&) {
        seconds.push_back(t.bSeconds);
    };
    ASSERT_EQ(StartDvd(graph), S_OK);
    // First play goes to title 1, which has two angles.
    ASSERT_TRUE(waitFor([&] { return InTitle(graph, 1, 1) && !available.empty() && !changes.empty(); }));
    EXPECT_EQ(available, std::vector<bool>{true});
    EXPECT_EQ(changes.back(), std::make_pair(2, 1));
    ASSERT_EQ(graph.IDvdControl2()->SelectAngle(2, 0, nullptr), S_OK);
    ASSERT_TRUE(waitFor([&] { return changes.back() == std::make_pair(2, 2); }));
    EXPECT_EQ(graph.IDvdControl2()->SelectAngle(3, 0, nullptr), E_INVALIDARG);

    // In angle 2 the four-second title's time still runs 0 to 3; then title 2 has one angle.
    seconds.clear();
    ASSERT_TRUE(waitFor([&] { return InTitle(graph, 2, 1); }, 8s));
    for (int s : seconds)
        EXPECT_LE(s, 3);
    ASSERT_TRUE(waitFor([&] { return available.size() >= 2 && changes.back() == std::make_pair(1, 1); }));
    EXPECT_FALSE(available[1]);
}
