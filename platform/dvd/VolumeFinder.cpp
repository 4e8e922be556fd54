#include "platform/dvd/VolumeFinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <cdio/cdio.h>

namespace dvd {
namespace {

QString g_preferred;

QStringList OpticalDrives()
{
    QStringList drives;
    char** devices = cdio_get_devices(DRIVER_DEVICE);
    if (devices) {
        for (char** d = devices; *d; ++d)
            drives << QString::fromLocal8Bit(*d);
        cdio_free_device_list(devices);
    }
    return drives;
}

QStringList MountedVolumes()
{
    QStringList volumes;
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (mounts.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&mounts);
        for (QString line = in.readLine(); !line.isNull(); line = in.readLine()) {
            const QStringList fields = line.split(QLatin1Char(' '));
            if (fields.size() < 3)
                continue;
            // Mount points escape spaces as \040.
            QString point = fields[1];
            point.replace(QLatin1String("\\040"), QLatin1String(" "));
            const QString type = fields[2];
            if (type == QLatin1String("udf") || type == QLatin1String("iso9660") || point.startsWith(QLatin1String("/media/"))
                || point.startsWith(QLatin1String("/run/media/")) || point.startsWith(QLatin1String("/mnt/")))
                volumes << point;
        }
    }
    return volumes;
}

}  // namespace

void SetPreferredVolume(const QString& volume)
{
    g_preferred = volume;
}

QString PreferredVolume()
{
    return g_preferred;
}

bool IsDvdVolume(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir()) {
        const QDir dir(path);
        return QFileInfo::exists(dir.filePath(QStringLiteral("VIDEO_TS.IFO")))
               || QFileInfo::exists(dir.filePath(QStringLiteral("VIDEO_TS/VIDEO_TS.IFO")))
               || QFileInfo::exists(dir.filePath(QStringLiteral("video_ts/video_ts.ifo")));
    }
    if (info.isFile()) {
        if (info.fileName().compare(QLatin1String("VIDEO_TS.IFO"), Qt::CaseInsensitive) == 0)
            return true;
        // An image: at least the volume descriptors' size, ending in .iso/.img.
        const QString suffix = info.suffix().toLower();
        return (suffix == QLatin1String("iso") || suffix == QLatin1String("img")) && info.size() >= 32768;
    }
    // A device node (optical drive).
    return path.startsWith(QLatin1String("/dev/")) && QFileInfo::exists(path);
}

QStringList CandidateVolumes()
{
    QStringList candidates;
    if (!g_preferred.isEmpty())
        candidates << g_preferred;
    candidates << OpticalDrives();
    candidates << MountedVolumes();
    candidates.removeDuplicates();
    return candidates;
}

QString FindDvdVolume(const QString& named)
{
    if (!named.isEmpty())
        return IsDvdVolume(named) ? named : QString();
    for (const QString& candidate : CandidateVolumes())
        if (IsDvdVolume(candidate))
            return candidate;
    return {};
}

}  // namespace dvd
