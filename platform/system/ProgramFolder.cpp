#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

QString SettingsFolder()
{
    const QString forced = qEnvironmentVariable("VISTREL_HOME");
    if (!forced.isEmpty()) {
        QDir().mkpath(forced);
        return WithSlash(forced);
    }
    const QString program = ProgramFolder();
    if (QFileInfo(program).isWritable())
        return program;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/vistrel");
    QDir().mkpath(config);
    return WithSlash(config);
}

QString DataFile(const QString& name)
{
    const QString forced = qEnvironmentVariable("VISTREL_DATA_DIR");
    if (!forced.isEmpty())
        return WithSlash(forced) + name;
    const QString beside = ProgramFolder() + name;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("vistrel/") + name);
    return installed.isEmpty() ? beside : installed;
}

}  // namespace platform
