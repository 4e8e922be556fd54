// libFuzzer entry for the region text of the shaped button: bad region strings must never crash.
#include "controls/RegionData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzStringButtonRegion(data, size);
}
