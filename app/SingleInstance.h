#pragma once
// One player per desktop session: `vistrel MEDIUM` while a player runs hands MEDIUM to it through
// its remote control on the session bus (OpenUri, then Raise) and ends; `vistrel` alone brings the
// running player to the front. `--new-window` skips this.
#include <QString>

enum class HandOver {
    NoneRunning,  // no session bus, or no player on it: this process becomes the player
    Handed,       // the running player took the medium: this process ends
    Failed        // a player is registered but did not answer in time: this process plays instead
};

// The address OpenUri is given for a medium named on a command line run in `workingFolder`:
// an absolute file:// URL, every character that needs it escaped.
QString MediumUri(const QString& medium, const QString& workingFolder);

// Asks the running player, if any, to play `medium` (empty: only to come to the front). Waits at
// most `timeoutMs` for each answer. Needs a QCoreApplication.
HandOver HandToRunningPlayer(const QString& medium, int timeoutMs = 5000);
