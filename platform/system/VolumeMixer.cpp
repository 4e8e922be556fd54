#include "platform/system/VolumeMixer.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

QStringList VolumeMixerCandidates()
{
    return {QStringLiteral("pavucontrol"), QStringLiteral("pavucontrol-qt"), QStringLiteral("mate-volume-control"),
            QStringLiteral("xfce4-mixer"), QStringLiteral("gnome-control-center")};
}

bool OpenVolumeMixer()
{
    const QString override = qEnvironmentVariable("VISTREL_VOLUME_MIXER");
    const QStringList candidates = override.isEmpty() ? VolumeMixerCandidates() : QStringList{override};
    for (const QString& name : candidates) {
        const QString program = QStandardPaths::findExecutable(name);
        if (program.isEmpty())
            continue;
        QStringList arguments;
        if (name == QLatin1String("gnome-control-center"))
            arguments << QStringLiteral("sound");
        return QProcess::startDetached(program, arguments);
    }
    return false;
}

}  // namespace platform
