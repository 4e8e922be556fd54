#pragma once
// Finds a DVD-Video volume: the one named, else the preferred one (the player's default drive),
// else every optical drive, else the mounted volumes that hold a VIDEO_TS folder.
#include <QString>
#include <QStringList>

namespace dvd {

// The default drive the player knows of (a device, a folder or an image); empty for none.
void SetPreferredVolume(const QString& volume);
QString PreferredVolume();

// True when `path` names a DVD-Video volume as the navigator opens it.
bool IsDvdVolume(const QString& path);

// The places tried, in order, when no volume is named (for tests and diagnostics).
QStringList CandidateVolumes();

// The first candidate that is a DVD-Video volume; empty when there is none.
QString FindDvdVolume(const QString& named);

}  // namespace dvd
