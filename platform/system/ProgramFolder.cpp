// Program folder, settings folder and data files for a portable folder or an installed copy.
#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef VISTREL_DATA_FROM_BIN
#define VISTREL_DATA_FROM_BIN "../share/vistrel"
#endif

namespace platform {
namespace {

QString WithSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

}  // namespace

QString ProgramFolder()
{
    return WithSlash(QCoreApplication::applicationDirPath());
}

QString InstalledDataFolder(const QString& programFolder)
{
    if (QStringLiteral(VISTREL_DATA_FROM_BIN).isEmpty())
        return {};
    const QString folder = QDir::cleanPath(programFolder + QStringLiteral(VISTREL_DATA_FROM_BIN));
    return QFileInfo(folder).isDir() ? WithSlash(folder) : QString();
}

QString SettingsFolderFor(const QString& programFolder, const QString& configHome)
{
    if (InstalledDataFolder(programFolder).isEmpty() && QFileInfo(programFolder).isWritable())
        return programFolder;
    const QString config = WithSlash(configHome) + QStringLiteral("vistrel");
    QDir().mkpath(config);
    return WithSlash(config);
}

QString DataFileFor(const QString& programFolder, const QString& name)
{
    const QString beside = programFolder + name;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = InstalledDataFolder(programFolder);
    if (!installed.isEmpty() && QFileInfo::exists(installed + name))
        return installed + name;
    // A copy of the program moved away from its data: the desktop's data folders may hold it.
    const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("vistrel/") + name);
    return located.isEmpty() ? beside : located;
}

QString SettingsFolder()
{
    const QString forced = qEnvironmentVariable("VISTREL_HOME");
    if (!forced.isEmpty()) {
        QDir().mkpath(forced);
        return WithSlash(forced);
    }
    return SettingsFolderFor(ProgramFolder(),
                             QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString DataFile(const QString& name)
{
    const QString forced = qEnvironmentVariable("VISTREL_DATA_DIR");
    if (!forced.isEmpty())
        return WithSlash(forced) + name;
    return DataFileFor(ProgramFolder(), name);
}

}  // namespace platform
