// The video window control and the seek bar on the real file graph, under a window system.
#include "engine/TDSFilterGraph2.h"
#include "engine/TDSTrackBar.h"
#include "engine/TDSVideoWindow.h"
#include "platform/media/FilterGraph.h"
#include "platform/media/VideoRendererWindow.h"

#include "tests/support/TestSupport.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace media;

namespace {

bool near(const QColor& c, int r, int g, int b)
{
    return std::abs(c.red() - r) < 48 && std::abs(c.green() - g) < 48 && std::abs(c.blue() - b) < 48;
}

class VideoWindowPlayback : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::haveX11())
            GTEST_SKIP() << "needs a display";
        form.resize(639, 461);
        form.move(40, 30);
        video = new TDSVideoWindow(&form);
        video->setObjectName(QStringLiteral("dvdx8"));
        video->setGeometry(0, 0, 639, 430);
        video->Loaded();
        bar = new TDSTrackBar(&form);
        bar->setGeometry(1, 433, 637, 25);
        bar->SetMax(70);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        graph.Connect();
        video->SetGraph(&graph);
        bar->SetGraph(&graph);
    }

    // The owner's order for a file: clear, render, take the interfaces, run.
    void play(const char* file)
    {
        graph.ClearGraph();
        ASSERT_EQ(graph.IFilterGraph2()->RenderFile(testsupport::media(file)), S_OK);
        graph.QueryGraphInterfaces();
        ASSERT_TRUE(graph.IMediaControl());
        graph.IMediaControl()->Run();
        ASSERT_TRUE(testsupport::waitFor([&] { return renderer() && renderer()->isVisible(); }));
    }

    VideoRendererWindow* renderer() const
    {
        auto platformGraph = std::dynamic_pointer_cast<FilterGraph>(graph.IFilterGraph2());
        return platformGraph ? platformGraph->rendererWindow() : nullptr;
    }

    bool controlShows(int r, int g, int b)
    {
        // The form as it shows, video included: not a grab of the shared screen, where other
        // tests' windows may lie over it.
        const QImage shot = form.grab().toImage();
        return near(shot.pixelColor(video->geometry().center()), r, g, b);
    }

    double seconds()
    {
        REFERENCE_TIME position = 0;
        graph.IMediaSeeking()->GetCurrentPosition(position);
        return double(position) / UNITS;
    }

    QWidget form;
    TDSVideoWindow* video = nullptr;
    TDSTrackBar* bar = nullptr;
    TDSFilterGraph2 graph;
};

}  // namespace

TEST_F(VideoWindowPlayback, ThePictureShowsInsideTheControlUnderWhatIsDrawnOverIt)
{
    EXPECT_FALSE(video->StartFullScreen());  // nothing rendered yet
    EXPECT_FALSE(video->FullScreen());

    play("files/red.avi");
    EXPECT_EQ(video->FindRendererWindow(), renderer());
    EXPECT_EQ(renderer()->geometry(), video->geometry());
    EXPECT_TRUE(testsupport::waitFor([&] { return controlShows(255, 0, 0); }));

    // Drawing: the key colour lets the picture through, any other colour covers it.
    TDSVideoCanvas& canvas = video->Canvas();
    canvas.FillRect(QRect(0, 0, 100, 100));
    EXPECT_EQ(canvas.BrushColor(), QColor(16, 0, 16));
    canvas.Draw([](QPainter& painter) { painter.fillRect(QRect(200, 40, 60, 60), Qt::green); });
    auto shows = [&](QPoint p, int r, int g, int b) { return near(renderer()->grab().toImage().pixelColor(p), r, g, b); };
    EXPECT_TRUE(testsupport::waitFor([&] { return shows({230, 70}, 0, 255, 0); }));
    EXPECT_TRUE(shows({50, 50}, 255, 0, 0));
    // And so the window system shows it.
    EXPECT_TRUE(testsupport::waitFor([&] {
        return near(form.screen()->grabWindow(form.winId()).toImage().pixelColor(230, 70), 0, 255, 0);
    }));
    canvas.Clear();
    EXPECT_TRUE(testsupport::waitFor([&] { return shows({230, 70}, 255, 0, 0); }));
}

TEST_F(VideoWindowPlayback, FullScreenCoversTheScreenAndComesBack)
{
    QMenu menu;
    menu.addAction(QStringLiteral("&Lecture"));
    video->SetPopupMenu(&menu);
    play("files/red.avi");
    VideoRendererWindow* window = renderer();

    ASSERT_TRUE(video->StartFullScreen());
    EXPECT_TRUE(video->FullScreen());
    const QRect screen = form.screen()->geometry();
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(testsupport::waitFor([&] { return window->isVisible() && window->geometry() == screen; }));
    EXPECT_EQ(video->FindRendererWindow(), nullptr);  // no longer among the form's children

    // A right click on the full-screen picture opens the menu where the cursor is.
    const QPoint at(300, 400);
    QCursor::setPos(at);
    // Through the window system's window, as a real click comes.
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, window->mapFromGlobal(at));
    ASSERT_TRUE(testsupport::waitFor([&] { return menu.isVisible(); }));
    EXPECT_EQ(menu.pos(), at);
    menu.hide();

    ASSERT_TRUE(video->StopFullScreen());
    EXPECT_FALSE(video->FullScreen());
    EXPECT_EQ(window->parentWidget(), &form);
    EXPECT_TRUE(testsupport::waitFor([&] { return window->isVisible() && window->geometry() == video->geometry(); }));
    EXPECT_EQ(video->FindRendererWindow(), window);
    EXPECT_TRUE(testsupport::waitFor([&] { return controlShows(255, 0, 0); }));
}

TEST_F(VideoWindowPlayback, TheBarSeeksAGeneratedFile)
{
    play("files/halves.mpeg");  // 10 s: blue for 5 s, then yellow
    graph.IMediaControl()->Pause();
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_TRUE(bar->TimerEnabled());
    EXPECT_EQ(bar->TimerInterval(), 143u);  // 10 s / 70 steps

    // Dragging the thumb to 35 of 70 seeks to the middle of the file.
    const int y = bar->height() / 2;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->PixelOf(0), y));
    QTest::mouseMove(bar, QPoint(bar->PixelOf(20), y));
    QTest::mouseMove(bar, QPoint(bar->PixelOf(35), y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->PixelOf(35), y));
    EXPECT_EQ(bar->Position(), 35);
    EXPECT_NEAR(seconds(), 5.0, 0.25);
    EXPECT_NEAR(bar->SelEnd(), 35, 1);

    bar->SetPosition(60);
    EXPECT_NEAR(seconds(), 60 * 10.0 / 70, 0.25);
    EXPECT_TRUE(testsupport::waitFor([&] { return controlShows(255, 255, 0); }));
    bar->SetPosition(7);
    EXPECT_TRUE(testsupport::waitFor([&] { return controlShows(0, 0, 255); }));
}

TEST_F(VideoWindowPlayback, QuickPausedSeeksEachShowTheirHalf)
{
    play("files/halves.mpeg");  // 10 s: blue for 5 s, then yellow
    graph.IMediaControl()->Pause();
    // Back and forth across the middle, as a hand dragging the bar does: a seek to one half, then
    // after a pause of a few milliseconds (so that the second seek comes at every stage of the
    // first one's picture) a seek to the other, whose picture must show. 34 of 70 is 4.86 s,
    // late in a group of pictures whose next key picture is already yellow.
    for (int pause = 0; pause <= 40; pause += 2) {
        const bool toYellow = pause % 4 == 0;
        SCOPED_TRACE(testing::Message() << "pause " << pause << " ms, to " << (toYellow ? "yellow" : "blue"));
        bar->SetPosition(toYellow ? 20 : 63);
        testsupport::pumpFor(std::chrono::milliseconds(pause));
        bar->SetPosition(toYellow ? 45 : 34);
        EXPECT_TRUE(testsupport::waitFor(
            [&] { return toYellow ? controlShows(255, 255, 0) : controlShows(0, 0, 255); }));
    }
}

TEST_F(VideoWindowPlayback, EndOfStreamRewindsTheBar)
{
    play("files/red.avi");  // 6 s
    bar->SetPosition(68);
    EXPECT_NEAR(seconds(), 68 * 6.0 / 70, 0.25);
    ASSERT_TRUE(testsupport::waitFor([&] { return bar->Position() == 0; }, std::chrono::seconds(10)));
    EXPECT_EQ(bar->SelEnd(), 0);
    FILTER_STATE state = State_Running;
    graph.IMediaControl()->GetState(0, state);
    EXPECT_EQ(state, State_Stopped);
    EXPECT_LT(seconds(), 0.5);

    // Clearing the graph for the next file puts the rate back to normal.
    bar->SetRate(2.0);
    EXPECT_EQ(bar->Rate(), 2.0);
    play("files/red.avi");
    EXPECT_EQ(bar->Rate(), 1.0);
}
