#include "platform/system/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace platform {

FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace platform
