#pragma once
// A navigation command object: created on the UI thread, carried out on the navigator thread,
// waited for (or not) by its owner.
#include "platform/dvd/DvdInterfaces.h"

#include <condition_variable>
#include <functional>
#include <mutex>

struct dvdnav_s;

namespace dvd {

class DvdCommand final : public IDvdCmd {
public:
    DvdCommand(uint32_t id, std::function<HRESULT(dvdnav_s*)> body, bool jumps)
        : id_(id), body_(std::move(body)), jumps_(jumps)
    {
    }

    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override { return answerQuery<IDvdCmd>(iid, out); }
    HRESULT WaitForEnd() override;
    HRESULT WaitForStart() override;

    uint32_t Id() const { return id_; }
    // The command's result so far (final once it has started).
    HRESULT Result();
    bool Jumps() const { return jumps_; }
    // Navigator thread: runs the body and marks the start; returns its result.
    HRESULT Execute(dvdnav_s* nav);
    // Navigator thread: the command is over (with `result` when it is not yet set by Execute).
    void Finish(HRESULT result);
    void Finish();

private:
    const uint32_t id_;
    std::function<HRESULT(dvdnav_s*)> body_;
    const bool jumps_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;  // protected by mutex_
    bool ended_ = false;    // protected by mutex_
    HRESULT result_ = S_OK; // protected by mutex_
};

}  // namespace dvd
