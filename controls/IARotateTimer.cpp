#include "controls/IARotateTimer.h"

#include "controls/ControlMessages.h"

#include <QCoreApplication>
#include <chrono>

struct TiaRotateTimer::Handshake {
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;  // the event was handled or discarded
    bool abandoned = false;  // the timer is terminating and stops waiting

    void finish(bool abandon)
    {
        {
            std::lock_guard lock(mutex);
            (abandon ? abandoned : done) = true;
        }
        cv.notify_all();
    }
};

void ReserveControlEventTypes()
{
    static const bool reserved = [] {
        QEvent::registerEventType(kCmAnimationEnd);
        QEvent::registerEventType(kCmRotateStep);
        return true;
    }();
    (void)reserved;
}

// The step event crosses from the timer's thread to the UI thread through Qt's posted-event queue,
// whose lock the thread checker cannot see: the hand-over is told to it here.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
static void HandedOver(void* event) { __tsan_release(event); }
static void TakenOver(void* event) { __tsan_acquire(event); }
#else
static void HandedOver(void*) {}
static void TakenOver(void*) {}
#endif

RotateStepEvent::RotateStepEvent(std::shared_ptr<TiaRotateTimer::Handshake> done)
    : QEvent(CM_ROTATESTEP), done_(std::move(done))
{
    HandedOver(this);
}

RotateStepEvent::~RotateStepEvent()
{
    TakenOver(this);
    done_->finish(false);
}

TiaRotateTimer::TiaRotateTimer(QObject* targetWindow, std::uint32_t interval)
    : target_(targetWindow), interval_(interval)
{
    ReserveControlEventTypes();
    thread_ = std::thread([this] { run(); });
}

TiaRotateTimer::~TiaRotateTimer()
{
    Terminate();
}

void TiaRotateTimer::Resume()
{
    {
        std::lock_guard lock(mutex_);
        suspended_ = false;
    }
    wake_.notify_all();
}

void TiaRotateTimer::Suspend()
{
    std::lock_guard lock(mutex_);
    suspended_ = true;
}

bool TiaRotateTimer::Suspended() const
{
    std::lock_guard lock(mutex_);
    return suspended_;
}

void TiaRotateTimer::Terminate()
{
    std::shared_ptr<Handshake> pending;
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
        suspended_ = false;
        pending = pending_;
    }
    wake_.notify_all();
    if (pending)
        pending->finish(true);
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void TiaRotateTimer::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !suspended_ || terminated_; });
        if (terminated_)
            return;
        // Sleep one interval; a suspend or terminate request during the sleep is seen at its end
        // (termination wakes the sleep early so that destruction never waits an interval).
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(interval_.load());
        wake_.wait_until(lock, until, [this] { return terminated_; });
        if (terminated_)
            return;
        if (suspended_)
            continue;
        lock.unlock();
        sendStep();
        lock.lock();
    }
}

bool TiaRotateTimer::sendStep()
{
    auto handshake = std::make_shared<Handshake>();
    {
        std::lock_guard lock(mutex_);
        if (terminated_)
            return false;
        pending_ = handshake;
        // Posting under the lock: Terminate() cannot slip in between, so the UI thread never
        // destroys the target while an event to it is being queued.
        QCoreApplication::postEvent(target_, new RotateStepEvent(handshake));
    }
    {
        std::unique_lock wait(handshake->mutex);
        handshake->cv.wait(wait, [&] { return handshake->done || handshake->abandoned; });
    }
    std::lock_guard lock(mutex_);
    pending_.reset();
    sent_.fetch_add(1);
    return true;
}
