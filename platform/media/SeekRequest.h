#pragma once
// A seek asked on the UI thread and carried out by a source's own thread: the latest request wins.
#include <mutex>

namespace media {

class SeekRequest {
public:
    void ask(double target, int serial)
    {
        std::lock_guard lock(mutex_);
        wanted_ = true;
        target_ = target;
        serial_ = serial;
    }
    // Takes the waiting request, if any.
    bool take(double& target, int& serial)
    {
        std::lock_guard lock(mutex_);
        if (!wanted_)
            return false;
        wanted_ = false;
        target = target_;
        serial = serial_;
        return true;
    }

private:
    std::mutex mutex_;
    bool wanted_ = false;  // protected by mutex_
    double target_ = 0;    // protected by mutex_
    int serial_ = 0;       // protected by mutex_
};

}  // namespace media
