// Waking the UI thread from other threads: every wake-up runs the handler once, on the UI thread,
// and a handler may destroy its own wake-up.
#include "platform/system/UiWakeUp.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using platform::UiWakeUp;
using testsupport::waitFor;

TEST(UiWakeUp, EveryWakeFromAnyThreadRunsTheHandlerOnceOnTheUiThread)
{
    int calls = 0;
    bool elsewhere = false;
    UiWakeUp wake([&] {
        ++calls;
        elsewhere = elsewhere || QThread::currentThread() != QCoreApplication::instance()->thread();
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&wake] {
            for (int i = 0; i < 250; ++i)
                wake.wake();
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(calls, 0);  // nothing runs on the waking threads
    EXPECT_TRUE(waitFor([&] { return calls == 1000; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1000);
    EXPECT_FALSE(elsewhere);
}

TEST(UiWakeUp, AHandlerThatDestroysItsWakeUpEndsTheRun)
{
    std::unique_ptr<UiWakeUp> wake;
    int calls = 0;
    wake = std::make_unique<UiWakeUp>([&] {
        ++calls;
        wake.reset();
    });
    wake->wake();
    wake->wake();
    wake->wake();
    EXPECT_TRUE(waitFor([&] { return wake == nullptr; }));
    EXPECT_EQ(calls, 1);
}

TEST(UiWakeUp, AModalLoopInsideTheHandlerStillHearsOfTheDestruction)
{
    std::unique_ptr<UiWakeUp> wake;
    int calls = 0;
    wake = std::make_unique<UiWakeUp>([&] {
        if (++calls == 1) {
            // A box waiting for the user: the loop turns, the next wake-up arrives inside it and
            // lets the object go.
            wake->wake();
            waitFor([&] { return wake == nullptr; }, std::chrono::seconds(2));
            return;
        }
        wake.reset();
    });
    wake->wake();
    wake->wake();  // would run a third time after the inner loop, on a destroyed object
    EXPECT_TRUE(waitFor([&] { return calls >= 2 && wake == nullptr; }));
    EXPECT_EQ(calls, 2);
}
