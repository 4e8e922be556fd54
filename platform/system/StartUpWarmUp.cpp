#include "platform/system/StartUpWarmUp.h"

#include "platform/system/CodecLibrary.h"
#include "platform/system/ProcessHeap.h"

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
        case Work::CodecLibraries:
            OpenCodecLibraries();
            break;
        case Work::Heap:
            PopulateHeap();
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
