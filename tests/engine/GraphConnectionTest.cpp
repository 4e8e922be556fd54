// Connecting, registering, querying, clearing and disconnecting the file graph.
#include "engine/TDSFilterGraph2.h"
#include "engine/TDSFilterList.h"
#include "platform/com/RunningObjectTable.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace media;

namespace {

std::vector<std::string> ownEntries()
{
    std::vector<std::string> names;
    for (const auto& e : com::RunningObjectTable::entries())
        if (e.pid == getpid())
            names.push_back(e.name);
    return names;
}

class GraphConnection : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8()); }
    QTemporaryDir runtime;
};

}  // namespace

TEST_F(GraphConnection, RunningObjectEntryFollowsConnectAndDisconnectOnlyWhenEnabled)
{
    {
        TDSFilterGraph2 graph;
        graph.SetRotEnabled(true);
        graph.Connect();
        const auto names = ownEntries();
        ASSERT_EQ(names.size(), 1u);
        const QRegularExpression form(QStringLiteral("^FilterGraph [0-9A-F]{8} pid [0-9A-F]+$"));
        EXPECT_TRUE(form.match(QString::fromStdString(names[0])).hasMatch()) << names[0];
        EXPECT_EQ(com::RunningObjectTable::pidOfName(names[0]), getpid());
        EXPECT_NE(graph.RotCookie(), 0u);
        graph.Disconnect();
        EXPECT_TRUE(ownEntries().empty());
        EXPECT_EQ(graph.RotCookie(), 0u);
        graph.Connect();
        EXPECT_EQ(ownEntries().size(), 1u);
    }
    EXPECT_TRUE(ownEntries().empty());  // destroying the component disconnects it

    TDSFilterGraph2 quiet;
    quiet.Connect();
    ASSERT_TRUE(quiet.IFilterGraph2());
    EXPECT_TRUE(ownEntries().empty());
    quiet.Disconnect();
    EXPECT_TRUE(ownEntries().empty());
    EXPECT_FALSE(quiet.IFilterGraph2());
    EXPECT_FALSE(quiet.IGraphBuilder());
}

TEST_F(GraphConnection, ConnectKindsFindCreateOrRefuse)
{
    TDSFilterGraph2 graph;
    EXPECT_FALSE(graph.AutoConnect());
    graph.SetAutoConnect(true);
    graph.SetConnectKind(ckAttachToInterface);
    EXPECT_FALSE(graph.AutoConnect());  // never with an interface to attach to
    graph.SetConnectKind(ckRunningInstance);
    graph.SetRemoteMachineName("serveur");
    EXPECT_EQ(graph.ConnectKind(), ckRemote);
    EXPECT_THROW(graph.Connect(), com::ComError);  // out of reach
    graph.SetRemoteMachineName("");

    try {
        graph.Connect();
        FAIL() << "no active graph, yet connected";
    } catch (const com::ComError& e) {
        EXPECT_STREQ(e.what(), "Ne peut récupérer un pointeur sur un objet en cours d'exécution recensé avec OLE "
                               "pour Vistrel.FilterGraph/{E436EBB3-524F-11CE-9F53-0020AF0BA770}");
        EXPECT_EQ(e.code(), MK_E_UNAVAILABLE);
    }
    EXPECT_FALSE(graph.IFilterGraph2());

    // A graph registered as active in this process is taken by ckRunningOrNew and ckRunningInstance.
    com::Ref<com::IUnknown> active;
    ASSERT_EQ(com::createInstance(CLSID_FilterGraph, active), S_OK);
    uint32_t registration = 0;
    com::registerActiveObject(active, CLSID_FilterGraph, registration);
    graph.Connect();
    EXPECT_EQ(std::static_pointer_cast<com::IUnknown>(graph.IFilterGraph2()), active);
    TDSFilterGraph2 second;
    second.SetAutoConnect(true);
    second.Loaded();  // connects, as the owner's loading does
    EXPECT_EQ(std::static_pointer_cast<com::IUnknown>(second.IFilterGraph2()), active);
    com::revokeActiveObject(registration);

    TDSFilterGraph2 fresh;
    fresh.SetConnectKind(ckNewInstance);
    fresh.Connect();
    EXPECT_NE(std::static_pointer_cast<com::IUnknown>(fresh.IFilterGraph2()), active);
    EXPECT_EQ(TDSFilterGraph2::ClassData().InstanceCount, 3);
}

TEST_F(GraphConnection, QueryLeavesRefusedInterfacesEmptyAndClearGraphEmptiesTheGraphOnly)
{
    TDSFilterGraph2 graph;
    graph.SetRotEnabled(true);
    graph.Connect();
    EXPECT_NO_THROW(graph.ClearGraph());  // connected and empty: nothing to do
    EXPECT_NO_THROW(graph.ClearGraph());

    ASSERT_EQ(graph.IFilterGraph2()->RenderFile(testsupport::media("files/tone880.mp3")), S_OK);
    graph.QueryGraphInterfaces();
    EXPECT_TRUE(graph.IMediaControl());
    EXPECT_TRUE(graph.IMediaEventEx());
    EXPECT_TRUE(graph.IMediaSeeking());
    EXPECT_TRUE(graph.IBasicAudio());
    EXPECT_FALSE(graph.IVideoWindow());  // no picture in a music file
    EXPECT_FALSE(graph.IBasicVideo2());
    EXPECT_FALSE(graph.IVideoFrameStep());
    for (bool held : {bool(graph.IAMGraphStreams()), bool(graph.IFilterChain()), bool(graph.IFilterMapper2()),
                      bool(graph.IGraphConfig()), bool(graph.IGraphVersion()), bool(graph.IMediaEventSink()),
                      bool(graph.IQueueCommand()), bool(graph.IResourceManager())})
        EXPECT_FALSE(held);
    EXPECT_EQ(TDSFilterList(graph.IGraphBuilder()).Count(), 3);
    graph.IMediaControl()->Run();

    graph.ClearGraph();
    EXPECT_FALSE(graph.IMediaControl());
    EXPECT_FALSE(graph.IMediaEventEx());
    EXPECT_TRUE(graph.IFilterGraph2());
    EXPECT_TRUE(graph.IGraphBuilder());
    EXPECT_EQ(TDSFilterList(graph.IGraphBuilder()).Count(), 0);
    EXPECT_EQ(ownEntries().size(), 1u);  // still registered

    // Ready for the next file.
    ASSERT_EQ(graph.IFilterGraph2()->RenderFile(testsupport::media("files/red.avi")), S_OK);
    graph.QueryGraphInterfaces();
    EXPECT_TRUE(graph.IVideoWindow());
    EXPECT_EQ(graph.IMediaControl()->Run(), S_OK);
}
