// The heap made ready for the start: what is allocated in the reserved room is already mapped.
#include "platform/system/ProcessHeap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

long PageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// Allocates and fills `count` pictures of a disc's size; returns the page faults that took.
long FaultsOfPictures(int count, std::vector<std::unique_ptr<char[]>>& kept)
{
    constexpr std::size_t kPicture = 720 * 576 * 3 / 2;
    const long before = PageFaults();
    for (int i = 0; i < count; ++i) {
        kept.emplace_back(new char[kPicture]);
        std::memset(kept.back().get(), 0x5A, kPicture);
    }
    return PageFaults() - before;
}

}  // namespace

TEST(ProcessHeap, PicturesAllocatedInTheReservedRoomCostNoPageFaults)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' allocator is not the C library's";
#endif
    std::vector<std::unique_ptr<char[]>> kept;
    platform::PrepareHeap(std::size_t(8) << 20);
    platform::PopulateHeap();
    // Eight pictures, 4.7 MiB: page by page that is some 1200 faults.
    const long faults = FaultsOfPictures(8, kept);
    EXPECT_LT(faults, 60) << "page faults for 4.7 MiB of pictures";
    // Still readable and writable as any memory.
    EXPECT_EQ(kept.front()[0], 0x5A);
    EXPECT_EQ(kept.back()[720 * 576], 0x5A);
}
