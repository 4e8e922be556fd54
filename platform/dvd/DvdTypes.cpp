#include "platform/dvd/DvdTypes.h"

namespace dvd {

uint32_t PackBcdTimeCode(int hours, int minutes, int seconds, int frames, int frameRateCode)
{
    auto digits = [](int value) { return uint32_t((value / 10) % 10) << 4 | uint32_t(value % 10); };
    return digits(hours) | digits(minutes) << 8 | digits(seconds) << 16 | uint32_t(frames % 10) << 24
           | uint32_t((frames / 10) % 4) << 28 | uint32_t(frameRateCode & 3) << 30;
}

}  // namespace dvd
