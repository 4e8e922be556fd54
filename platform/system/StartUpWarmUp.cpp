#include "platform/system/StartUpWarmUp.h"

#include <QImageReader>

#include <fontconfig/fontconfig.h>

namespace platform {

FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp()
{
    if (thread_.joinable())
        thread_.join();
}

PictureReadersWarmUp::PictureReadersWarmUp() : thread_([] { QImageReader::supportedImageFormats(); }) {}

PictureReadersWarmUp::~PictureReadersWarmUp()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace platform
