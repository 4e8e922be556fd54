#pragma once
// The seek bar's hidden timer object and the arithmetic that ties the bar's range to play time.
#include "platform/media/Types.h"

#include <QObject>

#include <cstdint>
#include <functional>

// A hidden object that owns the seek bar's timers. Only one is used, identified by the number the
// bar gives it (1); starting a timer that runs already restarts it with the new interval.
class TDSTrackBarTimerWindow : public QObject {
public:
    // Runs on each tick of timer `id`.
    std::function<void(int id)> OnTimer;

    // False when the system gives no timer.
    bool SetTimer(int id, uint32_t interval);
    void KillTimer(int id);
    bool TimerRunning(int id) const { return id == id_ && systemTimer_ != 0; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    int id_ = 0;
    int systemTimer_ = 0;
};

namespace trackbar {

// a × b ÷ c to the nearest integer, halves going to the even neighbour; the product is exact for
// every pair of 32-bit and 64-bit values whose result fits. 0 when c is 0.
int64_t scaleRounded(int64_t a, int64_t b, int64_t c);

// Milliseconds of play that one step of a range of `steps` takes for a file of `duration` at
// `rate` (halves to even); 0 when there is nothing to time (no duration, no rate, no range).
uint32_t progressInterval(media::REFERENCE_TIME duration, double rate, int steps);

}  // namespace trackbar
