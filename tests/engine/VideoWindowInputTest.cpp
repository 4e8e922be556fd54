// The video window control as a control: its defaults and the events it produces, unbound.
#include "engine/TDSVideoWindow.h"

#include "tests/support/TestSupport.h"

#include <QMenu>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

struct Recorded {
    QStringList events;
};

void record(TDSVideoWindow& w, Recorded& r)
{
    auto mouse = [&r](const char* name) {
        return [&r, name](TDSVideoWindow*, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
            r.events << QStringLiteral("%1 %2 %3,%4").arg(name).arg(int(b)).arg(x).arg(y);
        };
    };
    w.OnMouseDown = mouse("down");
    w.OnMouseUp = mouse("up");
    w.OnClick = [&r](TDSVideoWindow*) { r.events << "click"; };
    w.OnDblClick = [&r](TDSVideoWindow*) { r.events << "dblclick"; };
}

}  // namespace

TEST(VideoWindowControl, DefaultsOfAFreshControl)
{
    QWidget form;
    TDSVideoWindow w(&form);
    EXPECT_EQ(w.size(), QSize(160, 120));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(16, 0, 16));
    EXPECT_TRUE(w.autoFillBackground());
    EXPECT_TRUE(w.focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(w.FullScreen());
    EXPECT_EQ(w.Graph(), nullptr);
    // Unbound, full screen has nothing to show and says so.
    EXPECT_FALSE(w.StartFullScreen());
    EXPECT_FALSE(w.FullScreen());
    EXPECT_FALSE(w.StopFullScreen());
    // Children can be placed inside.
    QWidget child(&w);
    EXPECT_EQ(child.parentWidget(), &w);
}

TEST(VideoWindowControl, ClicksAndDoubleClicks)
{
    QWidget form;
    form.resize(400, 300);
    TDSVideoWindow w(&form);
    w.setGeometry(10, 10, 200, 150);
    Recorded r;
    record(w, r);

    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(20, 30));
    EXPECT_EQ(r.events, QStringList({"down 1 20,30", "click", "up 1 20,30"}));

    r.events.clear();
    QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(5, 6));
    // The release that ends a double click is not another click.
    EXPECT_EQ(r.events.count("dblclick"), 1);
    EXPECT_EQ(r.events.count("click"), 0);

    r.events.clear();
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_EQ(r.events, QStringList({"down 2 7,8", "up 2 7,8"}));

    // A left press released outside the control is no click.
    r.events.clear();
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(500, 5));
    EXPECT_EQ(r.events.count("click"), 0);
}

TEST(VideoWindowControl, WheelGoesToUpOrDownUnlessTakenFirst)
{
    TDSVideoWindow w;
    QStringList seen;
    bool takeAll = false;
    w.OnMouseWheel = [&](TDSVideoWindow*, Qt::KeyboardModifiers, int delta, QPoint, bool& handled) {
        seen << QStringLiteral("wheel %1").arg(delta);
        handled = takeAll;
    };
    w.OnMouseWheelDown = [&](TDSVideoWindow*, Qt::KeyboardModifiers, QPoint, bool&) { seen << "down"; };
    w.OnMouseWheelUp = [&](TDSVideoWindow*, Qt::KeyboardModifiers, QPoint, bool&) { seen << "up"; };

    auto turn = [&](int delta) {
        QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&w, &e);
        return e.isAccepted();
    };
    EXPECT_FALSE(turn(-120));  // the handlers left it unhandled: it goes on to the parent
    EXPECT_FALSE(turn(120));
    EXPECT_EQ(seen, QStringList({"wheel -120", "down", "wheel 120", "up"}));

    seen.clear();
    takeAll = true;
    EXPECT_TRUE(turn(-120));
    EXPECT_EQ(seen, QStringList({"wheel -120"}));
}

TEST(VideoWindowControl, KeysCanBeSwallowedByTheKeyDownHandler)
{
    TDSVideoWindow w;
    QStringList seen;
    w.OnKeyDown = [&](TDSVideoWindow*, int& key, Qt::KeyboardModifiers) {
        seen << QStringLiteral("down %1").arg(key);
        if (key == Qt::Key_A)
            key = 0;
    };
    w.OnKeyPress = [&](TDSVideoWindow*, QChar& c) { seen << QStringLiteral("press ") + c; };
    w.OnKeyUp = [&](TDSVideoWindow*, int& key, Qt::KeyboardModifiers) { seen << QStringLiteral("up %1").arg(key); };
    QTest::keyClick(&w, Qt::Key_B);
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_EQ(seen, QStringList({QStringLiteral("down %1").arg(int(Qt::Key_B)), "press b",
                                 QStringLiteral("up %1").arg(int(Qt::Key_B)), QStringLiteral("down %1").arg(int(Qt::Key_A)),
                                 QStringLiteral("up %1").arg(int(Qt::Key_A))}));
}

TEST(VideoWindowControl, ContextMenuOpensThePopupMenuWhereAsked)
{
    QWidget form;
    TDSVideoWindow w(&form);
    QContextMenuEvent unset(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(30, 40));
    QCoreApplication::sendEvent(&w, &unset);
    EXPECT_FALSE(unset.isAccepted());  // no menu: the parent may have one

    QMenu menu;
    menu.addAction(QStringLiteral("&Lecture"));
    w.SetPopupMenu(&menu);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(300, 200));
    QCoreApplication::sendEvent(&w, &request);
    EXPECT_TRUE(request.isAccepted());
    ASSERT_TRUE(testsupport::waitFor([&] { return menu.isVisible(); }));
    EXPECT_EQ(menu.pos(), QPoint(300, 200));
    menu.hide();
}
