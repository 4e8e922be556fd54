#include "platform/dvd/DvdCommand.h"

namespace dvd {

HRESULT DvdCommand::WaitForEnd()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ended_; });
    return result_;
}

HRESULT DvdCommand::WaitForStart()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return started_ || ended_; });
    return S_OK;
}

HRESULT DvdCommand::Result()
{
    std::lock_guard lock(mutex_);
    return result_;
}

HRESULT DvdCommand::Execute(dvdnav_s* nav)
{
    const HRESULT result = body_ ? body_(nav) : S_OK;
    std::lock_guard lock(mutex_);
    started_ = true;
    result_ = result;
    changed_.notify_all();
    return result;
}

void DvdCommand::Finish(HRESULT result)
{
    std::lock_guard lock(mutex_);
    if (!started_)
        result_ = result;
    started_ = true;
    ended_ = true;
    changed_.notify_all();
}

void DvdCommand::Finish()
{
    std::lock_guard lock(mutex_);
    started_ = true;
    ended_ = true;
    changed_.notify_all();
}

}  // namespace dvd
