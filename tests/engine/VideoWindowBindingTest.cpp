// The video window control bound to graphs whose video window interface is a stand-in.
#include "engine/TDSVideoWindow.h"

#include "tests/engine/VideoWindowFakes.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScreen>

#include <gtest/gtest.h>

#include <set>

using namespace media;

namespace {

class VideoWindowBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(639, 461);
        control = new TDSVideoWindow(&form);
        control->setObjectName(QStringLiteral("dvdx8"));
        control->setGeometry(0, 0, 639, 430);
        control->Loaded();
        form.show();  // a hidden control hears of its moves only when shown
        graph = std::make_unique<TDSFilterGraph2>(&form);
        fakes::bind(*graph, nullptr, nullptr, window);
    }

    QWidget form;
    TDSVideoWindow* control = nullptr;
    std::unique_ptr<TDSFilterGraph2> graph;
    std::shared_ptr<fakes::VideoWindow> window = std::make_shared<fakes::VideoWindow>();
};

using Calls = std::vector<QString>;

}  // namespace

TEST_F(VideoWindowBinding, BindingAttachesTheRendererInOrder)
{
    control->SetGraph(graph.get());
    EXPECT_EQ(graph->VideoWindow(), control);
    EXPECT_EQ(window->calls, Calls({"Owner", "Caption dvdx8", "Style", "StyleEx", "Position", "Drain"}));
    EXPECT_EQ(window->owner, &form);
    EXPECT_EQ(window->style & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);
    EXPECT_EQ(window->bounds, QRect(0, 0, 639, 430));
    EXPECT_EQ(window->drain, control);

    // Every change of the control's bounds moves the renderer along, and nothing else.
    window->calls.clear();
    control->setGeometry(0, 0, 959, 691);
    EXPECT_EQ(window->bounds, QRect(0, 0, 959, 691));
    control->move(4, 8);
    EXPECT_EQ(window->bounds, QRect(4, 8, 959, 691));
    EXPECT_EQ(std::set<QString>(window->calls.begin(), window->calls.end()), std::set<QString>({"Position"}));
}

TEST_F(VideoWindowBinding, FullScreenAndBack)
{
    control->SetGraph(graph.get());
    window->calls.clear();

    ASSERT_TRUE(control->StartFullScreen());
    EXPECT_TRUE(control->FullScreen());
    EXPECT_EQ(window->owner, nullptr);
    EXPECT_EQ(window->style & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_EQ(window->styleEx & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE), 0u);
    EXPECT_TRUE(window->styleEx & WS_EX_TOPMOST);
    const QRect screen = control->screen()->geometry();
    EXPECT_EQ(window->bounds, screen);

    // A resize of the control while in full screen keeps the picture on the whole screen.
    control->resize(300, 200);
    EXPECT_EQ(window->bounds, screen);

    // A new render binds the graph again: the picture stays on the whole screen.
    graph->QueryGraphInterfaces();
    EXPECT_TRUE(control->FullScreen());
    EXPECT_EQ(window->owner, nullptr);
    EXPECT_EQ(window->bounds, screen);
    EXPECT_EQ(window->drain, control);

    window->calls.clear();
    ASSERT_TRUE(control->StopFullScreen());
    EXPECT_FALSE(control->FullScreen());
    EXPECT_EQ(window->calls, Calls({"Owner", "Style", "StyleEx", "Position"}));
    EXPECT_EQ(window->owner, &form);
    EXPECT_TRUE(window->style & WS_CHILD);
    EXPECT_EQ(window->bounds, control->geometry());
}

TEST_F(VideoWindowBinding, InFullScreenTheMouseSpeaksInScreenPositions)
{
    control->SetGraph(graph.get());
    QList<QPoint> seen;
    control->OnMouseDown = [&](TDSVideoWindow*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) { seen << QPoint(x, y); };
    control->OnMouseMove = [&](TDSVideoWindow*, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) { seen << QPoint(x, y); };
    control->OnMouseUp = [&](TDSVideoWindow*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) { seen << QPoint(x, y); };
    auto send = [&](QEvent::Type type) {
        QMouseEvent e(type, QPointF(5, 6), QPointF(105, 206), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &e);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    control->StartFullScreen();
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseMove);
    send(QEvent::MouseButtonRelease);
    EXPECT_EQ(seen, QList<QPoint>({{5, 6}, {5, 6}, {105, 206}, {105, 206}, {105, 206}}));
}

TEST_F(VideoWindowBinding, AGraphWithoutVideoWindowIsBoundButShowsNothing)
{
    TDSFilterGraph2 bare(&form);
    control->SetGraph(&bare);
    EXPECT_EQ(bare.VideoWindow(), control);
    EXPECT_FALSE(control->StartFullScreen());
    EXPECT_FALSE(control->FullScreen());
    EXPECT_FALSE(control->StopFullScreen());
    EXPECT_EQ(control->FindRendererWindow(), nullptr);
    control->Canvas().TextOut(1, 1, QStringLiteral("rien"));  // nothing to draw on
    EXPECT_TRUE(control->Canvas().Shown().isNull());
}

TEST_F(VideoWindowBinding, RebindingAndEndsOfLife)
{
    control->SetGraph(graph.get());
    auto other = std::make_unique<TDSFilterGraph2>(&form);
    control->SetGraph(other.get());
    EXPECT_EQ(graph->VideoWindow(), nullptr);
    EXPECT_EQ(other->VideoWindow(), control);

    other.reset();
    EXPECT_EQ(control->Graph(), nullptr);
    EXPECT_FALSE(control->StartFullScreen());

    control->SetGraph(graph.get());
    control->SetGraph(nullptr);
    EXPECT_EQ(graph->VideoWindow(), nullptr);

    control->SetGraph(graph.get());
    delete control;
    EXPECT_EQ(graph->VideoWindow(), nullptr);
}
