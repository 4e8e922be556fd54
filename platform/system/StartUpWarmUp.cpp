#include "platform/system/StartUpWarmUp.h"

#include <QImageReader>

#include <fontconfig/fontconfig.h>

namespace platform {

StartUpWarmUp::StartUpWarmUp(Work work)
    : thread_([work] {
        switch (work) {
        case Work::FontConfiguration:
            FcInit();
            break;
        case Work::PictureReaders:
            QImageReader::supportedImageFormats();
            break;
        }
    })
{
}

StartUpWarmUp::~StartUpWarmUp()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace platform
