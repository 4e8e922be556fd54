#include "controls/ControlMessages.h"
#include "controls/IARotateTimer.h"
#include "controls/VOzariButton.h"

#include <QTest>
#include <gtest/gtest.h>
#include <thread>

#include "support/TestSupport.h"

namespace {

// Counts the rotation steps it receives.
class StepCounter : public QObject {
public:
    int steps = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == CM_ROTATESTEP) {
            ++steps;
            return true;
        }
        return QObject::event(e);
    }
};

TEST(TiaRotateTimer, SuspendedUntilResumedAndStopsWithinOneStep)
{
    StepCounter target;
    TiaRotateTimer timer(&target, 1);
    EXPECT_TRUE(timer.Suspended());
    QTest::qWait(30);
    EXPECT_EQ(target.steps, 0);

    timer.Resume();
    ASSERT_TRUE(testsupport::waitFor([&] { return target.steps >= 3; }));
    timer.Suspend();
    const int atSuspend = target.steps;
    QTest::qWait(50);
    EXPECT_LE(target.steps, atSuspend + 1);
    const int settled = target.steps;
    QTest::qWait(30);
    EXPECT_EQ(target.steps, settled);

    // The interval may change while suspended; steps resume afterwards.
    timer.SetInterval(0);
    timer.Resume();
    ASSERT_TRUE(testsupport::waitFor([&] { return target.steps >= settled + 3; }));
    timer.Terminate();
    // A step already queued may still arrive; nothing is sent after that.
    const int atEnd = target.steps;
    QTest::qWait(20);
    EXPECT_LE(target.steps, atEnd + 1);
}

TEST(TiaRotateTimer, TerminateReleasesAThreadWaitingOnAnUnhandledStep)
{
    // The target's thread (this one) does not run its event loop while terminating: the step that
    // the timer is waiting for is never handled, and terminating must still return.
    for (int i = 0; i < 5; ++i) {
        auto target = std::make_unique<StepCounter>();
        TiaRotateTimer timer(target.get(), 0);
        timer.Resume();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        timer.Terminate();
        target.reset();  // drops the queued step with its receiver
    }
    SUCCEED();
}

TEST(RotatingButton, TurnsAndStopsWithinOneStep)
{
    QWidget parent;
    parent.resize(200, 200);
    auto* b = new TVOzariButton(&parent);
    b->setGeometry(50, 50, 40, 20);
    b->SetButtonKind(bkPolyStar);
    b->SetRotationCenterFixed(true);
    b->SetRotatedAngle(100);
    b->SetRotatedTime(2);
    b->Loaded();
    parent.show();
    const QPoint centre = b->geometry().center();

    b->SetRotated(true);
    ASSERT_TRUE(testsupport::waitFor([&] { return b->RotationThread()->StepsSent() >= 5; }));
    b->SetRotated(false);
    const int angle = b->ButtonAngle();
    QTest::qWait(40);
    const int after = b->ButtonAngle();
    EXPECT_TRUE(after == angle || after == angle + 100 || (angle == 1800 && after == -1700)) << angle << " " << after;
    EXPECT_NE(after, 0);
    // The centre stays put (within rounding) while turning.
    EXPECT_LE((b->geometry().center() - centre).manhattanLength(), 2);

    // Changing the period while turning hands it to the thread.
    b->SetRotated(true);
    b->SetRotatedTime(1);
    EXPECT_EQ(b->RotationThread()->Interval(), 1u);
    EXPECT_FALSE(b->RotationThread()->Suspended());
}

TEST(RotatingButton, DestroyedWhileTurning)
{
    QWidget parent;
    parent.resize(200, 200);
    parent.show();
    for (int i = 0; i < 10; ++i) {
        auto* b = new TVOzariButton(&parent);
        b->setGeometry(20, 20, 30, 30);
        b->SetButtonKind(bkElliptic);
        b->SetRotatedTime(0);
        b->Loaded();
        b->SetRotated(true);
        if (i % 2)
            QTest::qWait(5);  // steps handled, one may be queued
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));  // a step is surely waiting
        delete b;
    }
    QTest::qWait(10);
    SUCCEED();
}

}  // namespace
