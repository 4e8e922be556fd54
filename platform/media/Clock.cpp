#include "platform/media/Clock.h"

#include <chrono>

namespace media {

double Clock::now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double Clock::getLocked(double at) const
{
    return paused_ ? pts_ : pts_ + (at - lastUpdated_) * speed_;
}

double Clock::get() const
{
    std::lock_guard lock(mutex_);
    return getLocked(now());
}

int Clock::serial() const
{
    std::lock_guard lock(mutex_);
    return serial_;
}

void Clock::set(double pts, int serial)
{
    std::lock_guard lock(mutex_);
    pts_ = pts;
    lastUpdated_ = now();
    serial_ = serial;
}

void Clock::setIfSerial(double pts, int serial)
{
    std::lock_guard lock(mutex_);
    if (serial != serial_)
        return;
    pts_ = pts;
    lastUpdated_ = now();
}

void Clock::setSpeed(double speed)
{
    std::lock_guard lock(mutex_);
    const double t = now();
    pts_ = getLocked(t);
    lastUpdated_ = t;
    speed_ = speed;
}

double Clock::speed() const
{
    std::lock_guard lock(mutex_);
    return speed_;
}

void Clock::setPaused(bool paused)
{
    std::lock_guard lock(mutex_);
    const double t = now();
    pts_ = getLocked(t);
    lastUpdated_ = t;
    paused_ = paused;
}

bool Clock::paused() const
{
    std::lock_guard lock(mutex_);
    return paused_;
}

}  // namespace media
