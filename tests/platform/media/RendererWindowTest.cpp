// The renderer window under a real window system: placement, styles, input forwarding, picture.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include "platform/media/VideoRendererWindow.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace media;
using mediatest::GraphUnderTest;

namespace {

class Drain : public QWidget {
public:
    void mousePressEvent(QMouseEvent* e) override { presses.push_back(e->position().toPoint()); }
    void wheelEvent(QWheelEvent* e) override { wheel += e->angleDelta().y(); }
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
    std::vector<QPoint> presses;
    int wheel = 0;
    std::vector<int> keys;
};

}  // namespace

TEST(RendererWindow, ChildOfItsOwnerOrAWindowOfItsOwnAsTheStylesSay)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs a display";
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);
    auto video = com::query<IVideoWindow>(g.graph);
    ASSERT_TRUE(video);
    Drain owner;
    owner.resize(400, 300);
    owner.show();
    video->put_Owner(&owner);
    video->put_Caption("dvdx8");
    video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    video->SetWindowPosition(20, 10, 320, 240);
    video->put_MessageDrain(&owner);
    g.graph->Run();
    VideoRendererWindow* window = g.graph->rendererWindow();
    ASSERT_TRUE(testsupport::waitFor([&] { return window->isVisible(); }));
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_EQ(window->geometry(), QRect(20, 10, 320, 240));
    EXPECT_EQ(VideoRendererWindow::find(&owner, "dvdx8"), window);

    // The picture as the window system shows it.
    EXPECT_TRUE(testsupport::waitFor([&] {
        const QImage shot = owner.screen()->grabWindow(owner.winId()).toImage();
        return mediatest::near(mediatest::middleColour(shot.copy(20, 10, 320, 240)), 255, 0, 0);
    }));

    // Input on the picture arrives at the drain, in the drain's coordinates.
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(5, 6));
    ASSERT_EQ(owner.presses.size(), 1u);
    EXPECT_EQ(owner.presses.front(), QPoint(25, 16));
    QWheelEvent wheel(QPointF(5, 6), window->mapToGlobal(QPointF(5, 6)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &wheel);
    EXPECT_EQ(owner.wheel, 120);
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_EQ(owner.keys, std::vector<int>{Qt::Key_Space});

    // Full screen: no owner, no caption bar, on top of everything.
    video->put_Owner(nullptr);
    video->put_WindowStyle(0);
    video->put_WindowStyleEx(WS_EX_TOPMOST);
    const QRect screen = owner.screen()->geometry();
    video->SetWindowPosition(0, 0, screen.width(), screen.height());
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(testsupport::waitFor([&] { return window->isVisible() && window->size() == screen.size(); }));
    EXPECT_EQ(VideoRendererWindow::find(&owner, "dvdx8"), nullptr);

    // And back.
    video->put_Owner(&owner);
    video->put_WindowStyle(WS_CHILD);
    video->put_WindowStyleEx(0);
    video->SetWindowPosition(0, 0, 400, 300);
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_TRUE(window->isVisible());
    g.graph->Stop();
}

TEST(RendererWindow, ThePictureKeepsItsShapeBetweenBlackBarsWhateverTheWindowsSize)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs a display";
    GraphUnderTest g;
    ASSERT_EQ(g.render("files/red.avi"), S_OK);  // 320 x 240, square pixels: 4:3
    auto video = com::query<IVideoWindow>(g.graph);
    ASSERT_TRUE(video);
    QWidget owner;
    owner.resize(500, 301);
    owner.show();
    video->put_Owner(&owner);
    video->put_WindowStyle(WS_CHILD);
    g.graph->Run();
    auto shot = [&] { return owner.screen()->grabWindow(owner.winId()).toImage().copy(0, 0, 500, 300); };
    const QColor black(0, 0, 0);
    // Wider than 4:3 (the fitted width, 401, is odd): bars left and right, the picture centred.
    video->SetWindowPosition(0, 0, 500, 301);
    EXPECT_TRUE(testsupport::waitFor([&] {
        const QImage s = shot();
        return mediatest::near(s.pixelColor(250, 150), 255, 0, 0) && mediatest::near(s.pixelColor(52, 150), 255, 0, 0)
               && mediatest::near(s.pixelColor(447, 150), 255, 0, 0) && s.pixelColor(45, 150) == black
               && s.pixelColor(455, 150) == black;
    }));
    // Taller than 4:3: bars above and below; what was picture before is bar now.
    video->SetWindowPosition(0, 0, 200, 300);
    EXPECT_TRUE(testsupport::waitFor([&] {
        const QImage s = shot();
        return mediatest::near(s.pixelColor(100, 150), 255, 0, 0) && mediatest::near(s.pixelColor(5, 80), 255, 0, 0)
               && s.pixelColor(100, 70) == black && s.pixelColor(100, 230) == black
               && s.pixelColor(5, 20) == black && s.pixelColor(195, 280) == black;
    }));
    g.graph->Stop();
}
