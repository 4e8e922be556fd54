#pragma once
// The playback clock, in seconds of media time. It runs on its own (a monotonic clock) from the
// last time it was set, at `speed` media seconds per real second; the audio renderer re-sets it
// from what the sound device has actually played, which makes the sound the master whenever there
// is sound. Each setting carries the serial of the stream position it belongs to, so that a reading
// taken across a seek can be recognised. Thread-safe.
#include <mutex>

namespace media {

class Clock {
public:
    // Media time now.
    double get() const;
    // Serial of the last setting.
    int serial() const;
    void set(double pts, int serial);
    // Sets the time only if `serial` is still current (used by renderers, which may lag a seek).
    void setIfSerial(double pts, int serial);
    void setSpeed(double speed);
    double speed() const;
    void setPaused(bool paused);
    bool paused() const;

    // Seconds of a monotonic clock (the time base of every clock).
    static double now();

private:
    double getLocked(double at) const;

    mutable std::mutex mutex_;
    double pts_ = 0;          // protected by mutex_: media time at lastUpdated_
    double lastUpdated_ = 0;  // protected by mutex_
    double speed_ = 1;        // protected by mutex_
    bool paused_ = true;      // protected by mutex_
    int serial_ = 0;          // protected by mutex_
};

}  // namespace media
