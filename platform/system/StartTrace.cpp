// The start-up trace: milliseconds since exec, from the process's start time and the boot clock.
#include "platform/system/StartTrace.h"

#include <QtGlobal>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace platform {
namespace {

// Seconds since boot at which this process started (clock ticks, usually 10 ms), or -1.
double ProcessStart()
{
    FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return -1;
    char text[1024] = {};
    const size_t read = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    text[read] = '\0';
    // Field 22, counted after the command name, which is in parentheses and may hold spaces.
    const char* p = std::strrchr(text, ')');
    for (int field = 2; p && field < 22; ++field)
        p = std::strchr(p + 1, ' ');
    return p ? std::strtod(p + 1, nullptr) / double(sysconf(_SC_CLK_TCK)) : -1;
}

double SinceBoot()
{
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

}  // namespace

void TraceStart(const char* step)
{
    static const bool on = qEnvironmentVariableIsSet("VISTREL_TRACE_START");
    if (!on)
        return;
    static const double start = ProcessStart();
    // Steps are few: a short list of those already written, claimed without a lock.
    constexpr int kSteps = 64;
    static std::atomic<const char*> seen[kSteps];
    for (auto& slot : seen) {
        const char* expected = nullptr;
        if (slot.compare_exchange_strong(expected, step))
            break;
        if (expected == step || std::strcmp(expected, step) == 0)
            return;
    }
    // With the processor time the whole process has had so far (every thread): what of the wait
    // was work, and what was waiting (the X server, the disc, the other programs).
    timespec used {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    std::fprintf(stderr, "vistrel start: %8.1f ms  %s  (processor %.1f ms)\n", (SinceBoot() - start) * 1000.0, step,
                 double(used.tv_sec) * 1000.0 + used.tv_nsec / 1e6);
}

}  // namespace platform
