#pragma once
// The media platform the player stands on (FFmpeg, libdvdnav, SDL): its versions as one short text,
// and whether it is recent enough to play anything.
#include <QString>

#include <functional>

namespace platform {

// "FFmpeg 5.1.4, libdvdnav 6.1.1, SDL 2.26.5" from the libraries loaded in this process;
// "Non Installé" when a library is missing or older than the player needs.
QString MediaPlatformVersion();

// Replaces what the running libraries report (tests); an empty function restores them.
void SetMediaPlatformProbe(std::function<QString()> probe);

}  // namespace platform
