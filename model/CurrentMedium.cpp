// The classes of the kind tags.
#include "model/CurrentMedium.h"

#include <QStringList>

MediumClass ClassOfKind(const QString& kind)
{
    static const QStringList musicKinds{QStringLiteral(".WAV"), QStringLiteral(".MP2"), QStringLiteral(".MP3"),
                                        QStringLiteral(".MID")};
    if (kind == QLatin1String(kDvdKind))
        return MediumClass::Dvd;
    if (kind == QLatin1String(kCdKind))
        return MediumClass::Cd;
    if (musicKinds.contains(kind))
        return MediumClass::Music;
    return MediumClass::Video;
}
