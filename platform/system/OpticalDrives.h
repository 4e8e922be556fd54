#pragma once
// The machine's optical drives, as libcdio finds them, in device order; and the mounted volumes a
// user keeps media on.
#include <QStringList>

#include <functional>

namespace platform {

// The optical drives' device paths (/dev/sr0, /dev/sr1 ...).
QStringList OpticalDrives();
// Replaces what libcdio finds (tests stand in for drives); an empty function restores it.
void SetOpticalDrivesProbe(std::function<QStringList()> probe);

// Folders that hold mounted volumes: what is mounted under /media, /run/media and /mnt.
QStringList MountedVolumes();

}  // namespace platform
