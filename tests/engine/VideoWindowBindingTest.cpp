// The video window control: its clicks, and the control bound to stand-in graphs.
#include "engine/TDSVideoWindow.h"

#include "tests/engine/VideoWindowFakes.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

using namespace media;

TEST(VideoWindowInput, ClicksAndDoubleClicks)
{
    TDSVideoWindow w;
    w.resize(200, 150);
    QStringList seen;
    auto mouse = [&seen](const char* name) {
        return [&seen, name](TDSVideoWindow*, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
            seen << QStringLiteral("%1 %2 %3,%4").arg(name).arg(int(b)).arg(x).arg(y);
        };
    };
    w.OnMouseDown = mouse("down");
    w.OnMouseUp = mouse("up");
    w.OnClick = [&](TDSVideoWindow*) { seen << "click"; };
    w.OnDblClick = [&](TDSVideoWindow*) { seen << "dblclick"; };

    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(20, 30));
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_EQ(seen, QStringList({"down 1 20,30", "click", "up 1 20,30", "down 2 7,8", "up 2 7,8"}));

    // The release ending a double click, and a release outside the control, are no clicks.
    seen.clear();
    QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(500, 5));
    EXPECT_EQ(seen.count("dblclick"), 1);
    EXPECT_EQ(seen.count("click"), 0);
}

namespace {

class VideoWindowBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(639, 461);
        control->setObjectName(QStringLiteral("dvdx8"));
        control->setGeometry(0, 0, 639, 430);
        control->Loaded();
        form.show();  // a hidden control hears of its moves only when shown
        fake->seekable = false;
        fakes::bind(*graph, fake);
    }

    QWidget form;
    TDSVideoWindow* control = new TDSVideoWindow(&form);
    std::unique_ptr<TDSFilterGraph2> graph = std::make_unique<TDSFilterGraph2>(&form);
    com::Ref<fakes::Graph> fake = std::make_shared<fakes::Graph>();
};

using Calls = std::vector<QString>;

}  // namespace

TEST_F(VideoWindowBinding, BindingAttachesTheRendererInOrder)
{
    control->SetGraph(graph.get());
    EXPECT_EQ(graph->VideoWindow(), control);
    EXPECT_EQ(fake->calls, Calls({"Owner", "Caption dvdx8", "Style", "StyleEx", "Position", "Drain"}));
    EXPECT_EQ(fake->owner, &form);
    EXPECT_EQ(fake->style & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);
    EXPECT_EQ(fake->bounds, QRect(0, 0, 639, 430));
    EXPECT_EQ(fake->drain, control);

    // Every change of the control's bounds moves the renderer along, and nothing else.
    fake->calls.clear();
    control->setGeometry(0, 0, 959, 691);
    control->move(4, 8);
    EXPECT_EQ(fake->bounds, QRect(4, 8, 959, 691));
    EXPECT_EQ(std::set<QString>(fake->calls.begin(), fake->calls.end()), std::set<QString>({"Position"}));
}

TEST_F(VideoWindowBinding, FullScreenAndBack)
{
    control->SetGraph(graph.get());
    ASSERT_TRUE(control->StartFullScreen());
    EXPECT_TRUE(control->FullScreen());
    EXPECT_EQ(fake->owner, nullptr);
    EXPECT_EQ(fake->style & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_TRUE(fake->styleEx & WS_EX_TOPMOST);
    const QRect screen = control->screen()->geometry();
    EXPECT_EQ(fake->bounds, screen);

    // Neither a resize of the control nor a new render takes the picture off the whole screen.
    control->resize(300, 200);
    graph->QueryGraphInterfaces();
    EXPECT_TRUE(control->FullScreen());
    EXPECT_EQ(fake->owner, nullptr);
    EXPECT_EQ(fake->bounds, screen);

    fake->calls.clear();
    ASSERT_TRUE(control->StopFullScreen());
    EXPECT_FALSE(control->FullScreen());
    EXPECT_EQ(fake->calls, Calls({"Owner", "Style", "StyleEx", "Position"}));
    EXPECT_EQ(fake->owner, &form);
    EXPECT_EQ(fake->bounds, control->geometry());
}

TEST_F(VideoWindowBinding, InFullScreenTheMouseSpeaksInScreenPositions)
{
    control->SetGraph(graph.get());
    QList<QPoint> seen;
    control->OnMouseDown = [&](TDSVideoWindow*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) { seen << QPoint(x, y); };
    control->OnMouseMove = [&](TDSVideoWindow*, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) { seen << QPoint(x, y); };
    control->OnMouseUp = [&](TDSVideoWindow*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) { seen << QPoint(x, y); };
    auto send = [&](QEvent::Type type) {
        QMouseEvent e(type, QPointF(5, 6), QPointF(105, 206), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &e);
    };
    send(QEvent::MouseButtonPress);
    control->StartFullScreen();
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseMove);
    send(QEvent::MouseButtonRelease);
    EXPECT_EQ(seen, QList<QPoint>({{5, 6}, {105, 206}, {105, 206}, {105, 206}}));
}

TEST_F(VideoWindowBinding, RebindingAndEndsOfLife)
{
    // A graph without a video window is bound, but there is nothing to show.
    fake->video = false;
    graph->QueryGraphInterfaces();
    control->SetGraph(graph.get());
    EXPECT_EQ(graph->VideoWindow(), control);
    EXPECT_TRUE(fake->calls.empty());
    EXPECT_FALSE(control->StartFullScreen());
    EXPECT_FALSE(control->FullScreen());
    control->Canvas().TextOut(1, 1, QStringLiteral("rien"));
    EXPECT_TRUE(control->Canvas().Shown().isNull());

    auto other = std::make_unique<TDSFilterGraph2>(&form);
    control->SetGraph(other.get());
    EXPECT_EQ(graph->VideoWindow(), nullptr);
    EXPECT_EQ(other->VideoWindow(), control);
    other.reset();
    EXPECT_EQ(control->Graph(), nullptr);

    control->SetGraph(graph.get());
    delete control;
    EXPECT_EQ(graph->VideoWindow(), nullptr);
}
