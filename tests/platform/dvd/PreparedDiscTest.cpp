// A disc read ahead while the program starts: the program's next DVD graph is that one, rendering
// the same volume finds it ready, and nothing of it shows before it runs.
#include "platform/dvd/DvdGraph.h"
#include "platform/dvd/VolumeFinder.h"

#include "platform/media/VideoRendererWindow.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>

using namespace dvd;
using testsupport::waitFor;

namespace {

// The menu's dark blue, in the middle of the left of the picture.
bool ShowsTheMenu(const QImage& picture)
{
    if (picture.isNull())
        return false;
    const QColor c = picture.pixelColor(60 * picture.width() / 720, 100 * picture.height() / 576);
    return std::abs(c.red() - 16) < 40 && std::abs(c.green() - 32) < 40 && std::abs(c.blue() - 96) < 40;
}

class PreparedDiscTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DvdGraph::registerClass();
        SetPreferredVolume({});
    }
    void TearDown() override { SetPreferredVolume({}); }
};

}  // namespace

TEST_F(PreparedDiscTest, TheNextGraphRendersItsVolumeAtOnceAndShowsTheMenuWhenRun)
{
    PreparedDisc prepared;
    prepared.prepare(testsupport::media("dvd"), false);
    ASSERT_TRUE(prepared.waiting());

    Ref<DvdGraph> graph = DvdGraph::create();
    EXPECT_FALSE(prepared.waiting());
    ASSERT_TRUE(graph->prepared());
    ASSERT_TRUE(graph->rendererWindow());
    // Read ahead, it shows nothing and is stopped to its owner.
    QCoreApplication::processEvents();
    EXPECT_FALSE(graph->rendererWindow()->isVisible());
    media::FILTER_STATE state = media::State_Running;
    EXPECT_EQ(graph->GetState(0, state), S_OK);
    EXPECT_EQ(state, media::State_Stopped);

    // The program renders the volume it finds first: the one read ahead, by another spelling.
    SetPreferredVolume(testsupport::media("dvd") + QStringLiteral("/VIDEO_TS/.."));
    AM_DVD_RENDERSTATUS status;
    status.bDvdVolInvalid = true;
    EXPECT_EQ(graph->RenderDvdVideoVolume({}, AM_DVD_HWDEC_PREFER, status), S_OK);
    EXPECT_FALSE(graph->prepared());
    EXPECT_FALSE(status.bDvdVolInvalid);
    EXPECT_FALSE(status.bDvdVolUnknown);
    EXPECT_EQ(status.iNumStreamsFailed, 0);
    // A second render is refused as on any rendered graph.
    EXPECT_EQ(graph->RenderDvdVideoVolume({}, AM_DVD_HWDEC_PREFER, status), VFW_E_DVD_RENDERFAIL);

    QWidget owner;
    owner.resize(720, 576);
    owner.show();
    ASSERT_EQ(graph->put_Owner(&owner), S_OK);
    ASSERT_EQ(graph->put_WindowStyle(media::WS_CHILD | media::WS_CLIPSIBLINGS), S_OK);
    ASSERT_EQ(graph->SetWindowPosition(0, 0, 720, 576), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    EXPECT_TRUE(waitFor([&] { return graph->rendererWindow()->isVisible(); }));
    EXPECT_TRUE(waitFor([&] { return ShowsTheMenu(graph->rendererWindow()->picture()); }));
    // The events of what it read ahead reach the owner's control: the menu's domain.
    Ref<IUnknown> unknown;
    ASSERT_EQ(graph->GetDvdInterface(IDvdInfo2::IID, unknown), S_OK);
    auto info = com::query<IDvdInfo2>(unknown);
    ASSERT_TRUE(info);
    DVD_DOMAIN domain = DVD_DOMAIN_Stop;
    EXPECT_TRUE(waitFor([&] { return SUCCEEDED(info->GetCurrentDomain(domain)) && domain == DVD_DOMAIN_VideoManagerMenu; }));
}

TEST_F(PreparedDiscTest, AnotherVolumeIsRenderedAfresh)
{
    PreparedDisc prepared;
    prepared.prepare(testsupport::media("dvd"), false);
    Ref<DvdGraph> graph = DvdGraph::create();
    ASSERT_TRUE(graph->prepared());
    AM_DVD_RENDERSTATUS status;
    EXPECT_EQ(graph->RenderDvdVideoVolume(testsupport::media("dvd-ntsc"), AM_DVD_HWDEC_PREFER, status), S_OK);
    EXPECT_FALSE(graph->prepared());
    EXPECT_EQ(graph->navigator().volume(), testsupport::media("dvd-ntsc"));
}

TEST_F(PreparedDiscTest, WhatNobodyTookIsClosedAndWhatCannotBeRenderedIsNotKept)
{
    {
        PreparedDisc prepared;
        prepared.prepare(testsupport::media("dvd"), false);
        EXPECT_TRUE(prepared.waiting());
    }
    EXPECT_FALSE(DvdGraph::create()->prepared());

    // A folder without a disc is tried, and not kept once it failed; a missing one is not tried.
    PreparedDisc prepared;
    prepared.prepare(testsupport::media("files"), false);
    EXPECT_TRUE(prepared.waiting());
    EXPECT_FALSE(DvdGraph::create()->prepared());
    EXPECT_FALSE(prepared.waiting());
    prepared.prepare(QStringLiteral("/nonexistent/disc"), false);
    EXPECT_FALSE(prepared.waiting());
    EXPECT_FALSE(DvdGraph::create()->prepared());
    // A disc read ahead and not taken when the program ends is closed with the preparation.
    prepared.prepare(testsupport::media("dvd"), false);
}
