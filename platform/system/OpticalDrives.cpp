// Finding the optical drives through libcdio, and the mounted volumes from the mount table.
#include "platform/system/OpticalDrives.h"

#include <QFile>
#include <QTextStream>

#include <cdio/cdio.h>

namespace platform {
namespace {

std::function<QStringList()>& Probe()
{
    static std::function<QStringList()> probe;
    return probe;
}

QStringList FoundDrives()
{
    QStringList drives;
    char** devices = cdio_get_devices(DRIVER_DEVICE);
    if (!devices)
        return drives;
    for (char** device = devices; *device; ++device)
        drives << QString::fromLocal8Bit(*device);
    cdio_free_device_list(devices);
    return drives;
}

// A mount point as /proc/self/mounts writes it (spaces and the like as octal escapes).
QString Unescaped(const QString& field)
{
    QString text;
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == QLatin1Char('\\') && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                text += QChar(code);
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

}  // namespace

QStringList OpticalDrives()
{
    return Probe() ? Probe()() : FoundDrives();
}

void SetOpticalDrivesProbe(std::function<QStringList()> probe)
{
    Probe() = std::move(probe);
}

QStringList MountedVolumes()
{
    QStringList volumes;
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly | QIODevice::Text))
        return volumes;
    QTextStream stream(&mounts);
    for (QString line = stream.readLine(); !line.isNull(); line = stream.readLine()) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.size() < 2)
            continue;
        const QString point = Unescaped(fields[1]);
        for (const char* parent : {"/media/", "/run/media/", "/mnt/"})
            if (point.startsWith(QLatin1String(parent)) && !volumes.contains(point))
                volumes << point;
    }
    return volumes;
}

}  // namespace platform
