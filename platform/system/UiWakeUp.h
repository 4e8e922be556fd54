#pragma once
// A wake-up call from the platform's threads to the UI thread. The waking side only adds one to an
// eventfd counter; a socket notifier on the UI thread reads the count and runs the handler that
// many times. Nothing of Qt runs on the waking thread: whatever the handler reads is shared under
// the owner's own mutex, so every hand-over between threads is one a race checker can follow.
#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

class UiWakeUp {
public:
    // Made on the UI thread. The threads that wake it must have stopped before it is destroyed.
    explicit UiWakeUp(std::function<void()> handler);
    ~UiWakeUp();
    UiWakeUp(const UiWakeUp&) = delete;
    UiWakeUp& operator=(const UiWakeUp&) = delete;

    // Any thread: the handler runs once more on the UI thread, in the order of the calls.
    void wake();

    // The UI thread: runs at once the handler calls that are due (tests, and owners that must
    // see every pending call before they go on).
    void deliverNow();

private:
    void arrived();

    int fd_ = -1;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool* destroyed_ = nullptr;  // set while the handler runs: a handler may destroy this object
};

}  // namespace platform
