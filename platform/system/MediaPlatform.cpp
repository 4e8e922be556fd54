// The versions of the media libraries loaded at run time.
#include "platform/system/MediaPlatform.h"

#include "platform/system/SdlLibrary.h"

extern "C" {
#include <dvdnav/dvdnav.h>
#include <libavcodec/avcodec.h>
#include <libavutil/avutil.h>
}

namespace platform {
namespace {

std::function<QString()>& Probe()
{
    static std::function<QString()> probe;
    return probe;
}

// The oldest libraries that the player is built for: FFmpeg 5 (libavcodec 59), libdvdnav 6, SDL 2.0.
constexpr unsigned kOldestAvcodecMajor = 59;
constexpr int kOldestDvdnavMajor = 6;

QString RunningVersions()
{
    const unsigned avcodec = avcodec_version();
    // libavformat is opened with the first media file, under the major version built for.
    if (AV_VERSION_MAJOR(avcodec) < kOldestAvcodecMajor)
        return QStringLiteral("Non Installé");
    const QString dvdnav = QString::fromLatin1(dvdnav_version());
    if (dvdnav.section(QLatin1Char('.'), 0, 0).toInt() < kOldestDvdnavMajor)
        return QStringLiteral("Non Installé");
    // SDL is opened by the sound system's start, which runs beside the windows' creation.
    const SdlLibrary& library = SdlLibrary::shared();
    SDL_version sdl{};
    if (library.usable())
        library.SDL_GetVersion(&sdl);
    if (sdl.major < 2)
        return QStringLiteral("Non Installé");
    return QStringLiteral("FFmpeg %1, libdvdnav %2, SDL %3.%4.%5")
        .arg(QString::fromLatin1(av_version_info()), dvdnav)
        .arg(sdl.major)
        .arg(sdl.minor)
        .arg(sdl.patch);
}

}  // namespace

QString MediaPlatformVersion()
{
    return Probe() ? Probe()() : RunningVersions();
}

void SetMediaPlatformProbe(std::function<QString()> probe)
{
    Probe() = std::move(probe);
}

}  // namespace platform
