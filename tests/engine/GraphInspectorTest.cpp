// The graph inspector, run as another process, sees the graph of this one while a file plays.
#include "engine/TDSFilterGraph2.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QString inspect(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QDir(testsupport::binDir()).filePath("vistrel-graphs"), arguments);
    if (!tool.waitForFinished(10000))
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}

}  // namespace

TEST(GraphInspector, ListsAndPrintsThePlayingGraphOfAnotherProcess)
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());  // the tool inherits it
    TDSFilterGraph2 graph;
    graph.SetRotEnabled(true);
    graph.Connect();
    ASSERT_EQ(graph.IFilterGraph2()->RenderFile(testsupport::media("files/red.avi")), S_OK);
    graph.QueryGraphInterfaces();
    graph.IMediaControl()->Run();

    const QString list = inspect({});
    const QString name = QString::asprintf("FilterGraph %08X pid %X",
                                           unsigned(reinterpret_cast<uintptr_t>(graph.IGraphBuilder().get())),
                                           unsigned(getpid()));
    EXPECT_TRUE(list.contains(name)) << list.toStdString();

    const QString full = inspect(QStringList{QString::number(getpid())});
    EXPECT_TRUE(full.contains(QStringLiteral("Graph state: Running"))) << full.toStdString();
    EXPECT_TRUE(full.contains(QStringLiteral("Filter \"Video Renderer\" [Running]")));
    EXPECT_TRUE(full.contains(QStringLiteral("Video: mpeg4 320x240")));
    EXPECT_TRUE(full.contains(QStringLiteral("Video output: CPU"))
                || full.contains(QStringLiteral("Video output: OpenGL")))
        << full.toStdString();

    graph.Disconnect();
    EXPECT_FALSE(inspect({}).contains(name));
}
