// The navigation command object: its bounded waits, its cancellation and its start and end.
#include "platform/dvd/DvdCommand.h"

#include <atomic>

namespace dvd {
namespace {

std::atomic<int64_t> g_waitBoundMs{0};

}  // namespace

std::chrono::milliseconds DvdCommand::bound()
{
    const int64_t ms = g_waitBoundMs.load();
    return ms > 0 ? std::chrono::milliseconds(ms) : kDefaultBound;
}

void DvdCommand::setWaitBound(std::chrono::milliseconds bound)
{
    g_waitBoundMs = bound.count();
}

HRESULT DvdCommand::WaitForEnd()
{
    return WaitForEnd(bound());
}

HRESULT DvdCommand::WaitForStart()
{
    return WaitForStart(bound());
}

HRESULT DvdCommand::WaitForEnd(std::chrono::milliseconds bound)
{
    std::unique_lock lock(mutex_);
    if (changed_.wait_for(lock, bound, [this] { return ended_; }))
        return result_;
    if (!begun_) {
        // Never started: it will not run now.
        started_ = ended_ = true;
        result_ = VFW_E_DVD_CMD_CANCELLED;
        changed_.notify_all();
    }
    return VFW_E_TIMEOUT;
}

HRESULT DvdCommand::WaitForStart(std::chrono::milliseconds bound)
{
    std::unique_lock lock(mutex_);
    if (changed_.wait_for(lock, bound, [this] { return started_ || ended_; }))
        return S_OK;
    if (!begun_) {
        started_ = ended_ = true;
        result_ = VFW_E_DVD_CMD_CANCELLED;
        changed_.notify_all();
        return VFW_E_TIMEOUT;
    }
    // The body runs but has not come back (a slow drive): the caller goes on without its result.
    return VFW_E_TIMEOUT;
}

HRESULT DvdCommand::result()
{
    std::lock_guard lock(mutex_);
    return result_;
}

bool DvdCommand::cancelled()
{
    std::lock_guard lock(mutex_);
    return ended_ && !begun_;
}

HRESULT DvdCommand::execute(dvdnav_s* nav)
{
    {
        std::lock_guard lock(mutex_);
        if (ended_)
            return result_;
        begun_ = true;
    }
    const HRESULT result = body_ ? body_(nav) : S_OK;
    std::lock_guard lock(mutex_);
    started_ = true;
    result_ = result;
    changed_.notify_all();
    return result;
}

void DvdCommand::finish(HRESULT result)
{
    std::lock_guard lock(mutex_);
    if (!started_)
        result_ = result;
    started_ = true;
    ended_ = true;
    changed_.notify_all();
}

void DvdCommand::finish()
{
    std::lock_guard lock(mutex_);
    started_ = true;
    ended_ = true;
    changed_.notify_all();
}

}  // namespace dvd
