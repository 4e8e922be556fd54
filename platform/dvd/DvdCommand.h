#pragma once
// A navigation command object: created on the UI thread, carried out on the navigator thread,
// waited for (or not) by its owner. Every wait is bounded; a command that has not started when a
// wait gives up is cancelled, so that it never runs later behind the user's back.
#include "platform/dvd/DvdInterfaces.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

struct dvdnav_s;

namespace dvd {

class DvdCommand final : public IDvdCmd {
public:
    // How long a wait lasts before the command counts as failed.
    static constexpr std::chrono::milliseconds kDefaultBound{4000};

    DvdCommand(uint32_t id, std::function<HRESULT(dvdnav_s*)> body, bool jumps)
        : id_(id), body_(std::move(body)), jumps_(jumps)
    {
    }

    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override { return answerQuery<IDvdCmd>(iid, out); }
    HRESULT WaitForEnd() override;
    HRESULT WaitForStart() override;
    // The same with a bound of the caller's.
    HRESULT WaitForEnd(std::chrono::milliseconds bound);
    HRESULT WaitForStart(std::chrono::milliseconds bound);
    // Tests: every wait from now on uses `bound` (a zero or negative one restores the default).
    static void setWaitBound(std::chrono::milliseconds bound);

    uint32_t id() const { return id_; }
    // The command's result so far (final once it has started).
    HRESULT result();
    bool jumps() const { return jumps_; }
    // Navigator thread: runs the body and marks the start; returns its result. A command that was
    // cancelled before it began is not run and gives VFW_E_DVD_CMD_CANCELLED.
    HRESULT execute(dvdnav_s* nav);
    bool cancelled();
    // Navigator thread: the command is over (with `result` when it is not yet set by execute()).
    void finish(HRESULT result);
    void finish();

private:
    static std::chrono::milliseconds bound();

    const uint32_t id_;
    std::function<HRESULT(dvdnav_s*)> body_;
    const bool jumps_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool begun_ = false;    // protected by mutex_: the body is running or has run
    bool started_ = false;  // protected by mutex_
    bool ended_ = false;    // protected by mutex_
    HRESULT result_ = S_OK; // protected by mutex_
};

}  // namespace dvd
