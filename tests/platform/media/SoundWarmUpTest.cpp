// The sound system started beside the program's start: outputs opened during or after it get
// their device and sound flows, and the system is stopped once the last user has gone.
#include "support/TestSupport.h"

#include "platform/media/SoundOutput.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <atomic>

using namespace media;
using testsupport::waitFor;

namespace {

// Opens an output on the device and tells whether it pulls sound.
bool SoundFlows(SoundOutput& output)
{
    std::atomic<int> pulled{0};
    if (!output.open(48000, true, false, [&pulled](uint8_t*, int bytes) { pulled += bytes; }))
        return false;
    output.setPaused(false);
    const bool flowed = waitFor([&pulled] { return pulled > 0; });
    output.close();
    return flowed && output.rate() > 0;
}

}  // namespace

TEST(SoundSystemWarmUp, OutputsGetTheirDeviceWhileItRunsAndAfterItIsGone)
{
    ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    {
        const SoundSystemWarmUp warmUp;
        const SoundSystemWarmUp second;  // a second one at the same time changes nothing
        SoundOutput output;  // opened at once: waits for the start under way
        EXPECT_TRUE(SoundFlows(output));
        // Closing the output leaves the system started for the next medium.
        EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        SoundOutput again;
        EXPECT_TRUE(SoundFlows(again));
    }
    // The last user gone, the system is stopped; an output starts it again by itself.
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    SoundOutput later;
    EXPECT_TRUE(SoundFlows(later));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}
