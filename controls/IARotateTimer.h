#pragma once
// TiaRotateTimer: the thread that drives a shaped button's continuous rotation. While resumed it
// sleeps Interval milliseconds, then delivers one CM_ROTATESTEP event to its target on the target's
// thread and waits until that event has been handled (or dropped), and so on.
//
// Threading: the object itself is owned and driven by the UI thread (Resume, Suspend, SetInterval,
// Terminate). The worker thread touches only the fields guarded by `mutex_`, the atomic interval
// and the target pointer, which is set before the first resume and never changes.
#include <QEvent>
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class RotateStepEvent;

class TiaRotateTimer {
public:
    // Created suspended; nothing is sent before the first Resume.
    TiaRotateTimer(QObject* targetWindow, std::uint32_t interval);
    ~TiaRotateTimer();  // Terminate() and join
    TiaRotateTimer(const TiaRotateTimer&) = delete;
    TiaRotateTimer& operator=(const TiaRotateTimer&) = delete;

    void Resume();
    void Suspend();
    bool Suspended() const;
    std::uint32_t Interval() const { return interval_.load(); }
    void SetInterval(std::uint32_t ms) { interval_.store(ms); }
    QObject* TargetWindow() const { return target_; }

    // Asks the thread to end, wakes it from a sleep or from waiting on a step that the UI thread
    // will not handle (it may be the one waiting here), and joins it. No step is sent afterwards.
    void Terminate();

    // Number of steps delivered so far (for diagnostics and tests).
    std::uint64_t StepsSent() const { return sent_.load(); }

    // Shared between the thread waiting for a step and the event carrying it.
    struct Handshake;

private:
    void run();
    bool sendStep();

    QObject* const target_;
    std::atomic<std::uint32_t> interval_;
    std::atomic<std::uint64_t> sent_{0};

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool suspended_ = true;         // guarded by mutex_
    bool terminated_ = false;       // guarded by mutex_
    std::shared_ptr<Handshake> pending_;  // guarded by mutex_: the step being waited for
    std::thread thread_;
};

// The event that carries one rotation step. Its destruction, after it has been handled or when it
// is discarded with its receiver, releases the waiting thread.
class RotateStepEvent : public QEvent {
public:
    explicit RotateStepEvent(std::shared_ptr<TiaRotateTimer::Handshake> done);
    ~RotateStepEvent() override;

private:
    std::shared_ptr<TiaRotateTimer::Handshake> done_;
};
