#pragma once
// Where the program finds its read-only data and keeps its small files: a portable program folder
// (data beside the program) or an installed copy (data in <prefix>/share/vistrel, small files in
// $XDG_CONFIG_HOME/vistrel).
#include <QString>

namespace platform {

// The folder of the running program file, with a trailing slash: read-only data (splash picture,
// skin bitmaps, help page) is found there in a portable program folder.
QString ProgramFolder();

// The folder where the program's own small files (config.dat, interface.dat, bookmark.bmk) live,
// with a trailing slash: the program folder when it is a writable portable folder, otherwise
// $XDG_CONFIG_HOME/vistrel/ (created on demand). VISTREL_HOME overrides both (tests use it).
QString SettingsFolder();

// A data file shipped with the program (a name such as "splash.jpg" or "skins/x/y.bmp"): beside the
// program, else in the installed data folder. VISTREL_DATA_DIR names another folder (tests use it).
QString DataFile(const QString& name);

// The same rules for a given program folder (with its trailing slash), without the overrides.
// An installed copy is one whose install data folder (<program>/../share/vistrel) exists: it never
// writes beside its program, even where that folder is writable (root, or a prefix in $HOME).
QString InstalledDataFolder(const QString& programFolder);  // empty for a portable folder
QString SettingsFolderFor(const QString& programFolder, const QString& configHome);
QString DataFileFor(const QString& programFolder, const QString& name);

}  // namespace platform
