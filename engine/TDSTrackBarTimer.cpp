#include "engine/TDSTrackBarTimer.h"

#include <QTimerEvent>

#include <chrono>
#include <cmath>
#include <limits>

bool TDSTrackBarTimerWindow::SetTimer(int id, uint32_t interval)
{
    KillTimer(id_);
    // The system's timers take at most 2^31 - 1 ms; longer waits are cut to that.
    const auto ms = std::min<uint32_t>(interval, uint32_t(std::numeric_limits<int>::max()));
    systemTimer_ = startTimer(std::chrono::milliseconds(ms));
    id_ = systemTimer_ != 0 ? id : 0;
    return systemTimer_ != 0;
}

void TDSTrackBarTimerWindow::KillTimer(int id)
{
    if (id != id_ || systemTimer_ == 0)
        return;
    killTimer(systemTimer_);
    systemTimer_ = 0;
    id_ = 0;
}

void TDSTrackBarTimerWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != systemTimer_ || systemTimer_ == 0) {
        QObject::timerEvent(event);
        return;
    }
    if (OnTimer)
        OnTimer(id_);
}

namespace trackbar {

int64_t scaleRounded(int64_t a, int64_t b, int64_t c)
{
    if (c == 0)
        return 0;
    const __int128 product = __int128(a) * b;
    __int128 quotient = product / c;
    __int128 remainder = product % c;
    // Round the exact quotient: compare twice the remainder with the divisor, ties to even.
    const __int128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    const __int128 divisor = c < 0 ? -__int128(c) : __int128(c);
    const bool negative = (product < 0) != (c < 0);
    if (twice > divisor || (twice == divisor && (quotient % 2) != 0))
        quotient += negative ? -1 : 1;
    constexpr auto lo = std::numeric_limits<int64_t>::min();
    constexpr auto hi = std::numeric_limits<int64_t>::max();
    return quotient < lo ? lo : quotient > hi ? hi : int64_t(quotient);
}

uint32_t progressInterval(media::REFERENCE_TIME duration, double rate, int steps)
{
    const double perStep = rate * steps;
    if (!(perStep > 0) || duration <= 0)
        return 0;
    const double ms = std::nearbyint(double(duration) * 0.0001 / perStep);  // ties to even
    if (!(ms > 0))
        return 0;
    if (ms >= double(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return uint32_t(ms);
}

}  // namespace trackbar
