#include "app/MprisAdaptors.h"

#include "app/Mpris.h"

MprisRootAdaptor::MprisRootAdaptor(QObject* object, MprisService& service)
    : QDBusAbstractAdaptor(object)
    , service_(service)
{
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const
{
    return {QStringLiteral("video/mpeg"), QStringLiteral("video/x-msvideo"), QStringLiteral("audio/x-wav"),
            QStringLiteral("audio/mpeg"), QStringLiteral("audio/midi")};
}

void MprisRootAdaptor::Quit()
{
    service_.Quit();
}

void MprisRootAdaptor::Raise()
{
    service_.Raise();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, MprisService& service)
    : QDBusAbstractAdaptor(object)
    , service_(service)
{
}

QString MprisPlayerAdaptor::PlaybackStatus() const
{
    return service_.PlaybackStatus();
}

QVariantMap MprisPlayerAdaptor::Metadata() const
{
    return service_.Metadata();
}

qlonglong MprisPlayerAdaptor::Position() const
{
    return service_.Position();
}

bool MprisPlayerAdaptor::CanSeek() const
{
    return service_.CanSeek();
}

void MprisPlayerAdaptor::Play() { service_.Play(); }
void MprisPlayerAdaptor::Pause() { service_.Pause(); }
void MprisPlayerAdaptor::PlayPause() { service_.PlayPause(); }
void MprisPlayerAdaptor::Stop() { service_.Stop(); }
void MprisPlayerAdaptor::Next() { service_.Next(); }
void MprisPlayerAdaptor::Previous() { service_.Previous(); }

void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    service_.Seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath&, qlonglong Position)
{
    service_.SetPosition(Position);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    service_.OpenUri(Uri);
}
