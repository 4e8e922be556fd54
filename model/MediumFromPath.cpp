// What a path from outside stands for as the current medium.
#include "model/MediumFromPath.h"

#include "platform/dvd/VolumeFinder.h"

#include <QFileInfo>

#include <cdio/cdio.h>

namespace {

// True when the device holds a disc whose first track is audio.
bool HoldsAudioCd(const QString& device)
{
    CdIo_t* cd = cdio_open(device.toLocal8Bit().constData(), DRIVER_DEVICE);
    if (!cd)
        return false;
    const track_t first = cdio_get_first_track_num(cd);
    const bool audio = first != CDIO_INVALID_TRACK && cdio_get_track_format(cd, first) == TRACK_FORMAT_AUDIO;
    cdio_destroy(cd);
    return audio;
}

}  // namespace

QString KindTagOf(const QString& file)
{
    return (QStringLiteral(".") + QFileInfo(file).suffix().toUpper()).left(4);
}

MediumChoice MediumFromPath(const QString& path)
{
    MediumChoice choice;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return choice;
    const QString absolute = info.absoluteFilePath();
    const QString suffix = info.suffix().toLower();
    if (absolute.startsWith(QLatin1String("/dev/"))) {
        choice.exists = true;
        if (HoldsAudioCd(absolute)) {
            choice.kind = QString::fromLatin1(kCdKind);
            choice.drive = absolute;
        } else {
            choice.kind = QString::fromLatin1(kDvdKind);
            choice.dvdVolume = absolute;
        }
        return choice;
    }
    if (info.isDir() || suffix == QLatin1String("ifo") || suffix == QLatin1String("iso")) {
        if (!dvd::IsDvdVolume(absolute))
            return choice;
        choice.exists = true;
        choice.kind = QString::fromLatin1(kDvdKind);
        choice.dvdVolume = absolute;
        return choice;
    }
    choice.exists = true;
    if (suffix == QLatin1String("cue")) {
        choice.kind = QString::fromLatin1(kCdKind);
        choice.drive = absolute;
        return choice;
    }
    choice.kind = KindTagOf(absolute);
    choice.file = absolute;
    return choice;
}
