#pragma once
#include <QString>

namespace platform {

// The folder of the running program file, with a trailing slash: read-only data (splash picture,
// skin bitmaps, help page) is found there.
QString ProgramFolder();

// The folder where the program's own small files (config.dat, interface.dat, bookmark.bmk) live,
// with a trailing slash: the program folder when it is writable, otherwise
// $XDG_CONFIG_HOME/vistrel/ (created on demand). VISTREL_HOME overrides both (tests use it).
QString SettingsFolder();

// A data file shipped with the program: beside the program, else in the installed data folder.
// VISTREL_DATA_DIR names another folder (tests use it).
QString DataFile(const QString& name);

}  // namespace platform
