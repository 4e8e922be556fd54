// The UI thread's wake-up call: an eventfd counter read by a socket notifier.
#include "platform/system/UiWakeUp.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

UiWakeUp::UiWakeUp(std::function<void()> handler) : handler_(std::move(handler))
{
    fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd_ < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { arrived(); });
}

UiWakeUp::~UiWakeUp()
{
    if (destroyed_)
        *destroyed_ = true;
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void UiWakeUp::wake()
{
    if (fd_ < 0)
        return;
    const uint64_t one = 1;
    // Only a counter at its maximum refuses an addition; no wake-up is lost short of that.
    while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void UiWakeUp::deliverNow()
{
    arrived();
}

void UiWakeUp::arrived()
{
    uint64_t count = 0;
    if (fd_ < 0 || ::read(fd_, &count, sizeof count) != ssize_t(sizeof count))
        return;
    // A handler may open a modal loop in which this runs again, and may destroy the object: the
    // innermost run hears of it and tells the runs around it.
    bool destroyed = false;
    bool* outer = destroyed_;
    destroyed_ = &destroyed;
    for (uint64_t i = 0; i < count && handler_; ++i) {
        handler_();
        if (destroyed) {
            if (outer)
                *outer = true;
            return;
        }
    }
    destroyed_ = outer;
}

}  // namespace platform
