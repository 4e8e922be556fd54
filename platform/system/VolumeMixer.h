#pragma once
#include <QStringList>

namespace platform {

// The desktop's sound volume mixers this program knows, in the order they are tried.
QStringList VolumeMixerCandidates();
// Starts the first volume mixer found on the PATH, detached, with an argument list (never a shell
// line). False when none is installed; the program reports nothing of its own then.
bool OpenVolumeMixer();

}  // namespace platform
