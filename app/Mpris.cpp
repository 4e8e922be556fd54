#include "app/Mpris.h"

#include "app/MprisAdaptors.h"
#include "engine/TDSFilterGraph2.h"
#include "panel/TForm1.h"
#include "player/TForm10.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

namespace {

constexpr qlonglong kMicro = 1'000'000;

// The file graph's seeking interface while a file is the current medium.
media::IMediaSeeking* FileSeeking()
{
    if (!Form1 || !Form10 || Form1->CurrentMedium.MediaKind == QLatin1String(".DVD")
        || Form1->CurrentMedium.MediaKind == QLatin1String(".CDA"))
        return nullptr;
    return Form10->FilterGraph->IMediaSeeking().get();
}

}  // namespace

MprisService::MprisService(QObject* parent)
    : QObject(parent)
{
    new MprisRootAdaptor(this, *this);    // owned by this object
    new MprisPlayerAdaptor(this, *this);  // owned by this object
    poll_.setInterval(250);
    connect(&poll_, &QTimer::timeout, this, &MprisService::Poll);
}

MprisService::~MprisService()
{
    if (registered_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        bus.unregisterService(QString::fromLatin1(kServiceName));
    }
}

bool MprisService::Start()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportAdaptors))
        return false;
    if (!bus.registerService(QString::fromLatin1(kServiceName))) {
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        return false;
    }
    registered_ = true;
    lastStatus_ = PlaybackStatus();
    lastMetadata_ = Metadata();
    lastCanSeek_ = CanSeek();
    poll_.start();
    return true;
}

QString MprisService::PlaybackStatus() const
{
    if (!Form10)
        return QStringLiteral("Stopped");
    const QString caption = Form10->windowTitle();
    if (caption == QLatin1String("Vistrel - Pause"))
        return QStringLiteral("Paused");
    if (caption == QLatin1String("Vistrel - Lecture"))
        return QStringLiteral("Playing");
    return QStringLiteral("Stopped");
}

QVariantMap MprisService::Metadata() const
{
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/vistrel/track/current"))));
    if (!Form1)
        return metadata;
    const CurrentMediumRecord& medium = Form1->CurrentMedium;
    if (medium.MediaKind == QLatin1String(".DVD")) {
        metadata.insert(QStringLiteral("xesam:title"), QStringLiteral("DVD vidéo"));
        if (Form10)
            metadata.insert(QStringLiteral("vistrel:chapter"), Form10->CurrentChapter);
    } else if (medium.MediaKind == QLatin1String(".CDA")) {
        metadata.insert(QStringLiteral("xesam:title"), QStringLiteral("CD audio"));
    } else {
        metadata.insert(QStringLiteral("xesam:title"), QFileInfo(medium.MediaFile).fileName());
        metadata.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(medium.MediaFile).toString());
        if (media::IMediaSeeking* seeking = FileSeeking()) {
            media::REFERENCE_TIME duration = 0;
            if (SUCCEEDED(seeking->GetDuration(duration)))
                metadata.insert(QStringLiteral("mpris:length"), qlonglong(duration / 10));
        }
    }
    return metadata;
}

qlonglong MprisService::Position() const
{
    media::IMediaSeeking* seeking = FileSeeking();
    media::REFERENCE_TIME position = 0;
    if (seeking && SUCCEEDED(seeking->GetCurrentPosition(position)))
        return qlonglong(position / 10);
    return 0;
}

bool MprisService::CanSeek() const
{
    media::IMediaSeeking* seeking = FileSeeking();
    uint32_t capabilities = 0;
    return seeking && SUCCEEDED(seeking->GetCapabilities(capabilities))
           && (capabilities & media::AM_SEEKING_CanSeekAbsolute);
}

void MprisService::Play()
{
    if (Form10)
        Form10->PlayMedium();
}

void MprisService::Pause()
{
    if (Form10)
        Form10->PauseMedium();
}

void MprisService::PlayPause()
{
    if (PlaybackStatus() == QLatin1String("Playing"))
        Pause();
    else
        Play();
}

void MprisService::Stop()
{
    if (Form10)
        Form10->StopMedium();
}

void MprisService::Next()
{
    if (Form10)
        Form10->NextChapter();
}

void MprisService::Previous()
{
    if (Form10)
        Form10->PreviousChapter();
}

void MprisService::SetPosition(qlonglong position)
{
    media::IMediaSeeking* seeking = FileSeeking();
    if (!seeking || position < 0)
        return;
    media::REFERENCE_TIME duration = 0;
    seeking->GetDuration(duration);
    media::REFERENCE_TIME target = position * 10;
    if (duration > 0 && target > duration)
        return;  // beyond the end: ignored, as the remote control's rules say
    seeking->SetPositions(&target, media::AM_SEEKING_AbsolutePositioning, nullptr, media::AM_SEEKING_NoPositioning);
}

void MprisService::Seek(qlonglong offset)
{
    SetPosition(std::max<qlonglong>(0, Position() + offset));
}

void MprisService::OpenUri(const QString& uri)
{
    const QUrl url(uri);
    const QString path = url.isLocalFile() ? url.toLocalFile() : uri;
    if (!Form1 || !Form10)
        return;
    // Later, from the event loop: the caller gets its answer before the medium loads.
    QTimer::singleShot(0, Form10, [path] {
        Form10->StopMedium();
        if (Form1->TakeMedium(path))
            Form10->PlayMedium();
    });
}

void MprisService::Quit()
{
    if (Form1)
        QTimer::singleShot(0, Form1, [] { Form1->Quitter1Click(); });
}

void MprisService::Raise()
{
    if (Form1) {
        Form1->show();
        Form1->raise();
        Form1->activateWindow();
    }
}

void MprisService::Poll()
{
    QVariantMap changed;
    const QString status = PlaybackStatus();
    if (status != lastStatus_) {
        lastStatus_ = status;
        changed.insert(QStringLiteral("PlaybackStatus"), status);
    }
    const QVariantMap metadata = Metadata();
    if (metadata != lastMetadata_) {
        lastMetadata_ = metadata;
        changed.insert(QStringLiteral("Metadata"), metadata);
    }
    const bool canSeek = CanSeek();
    if (canSeek != lastCanSeek_) {
        lastCanSeek_ = canSeek;
        changed.insert(QStringLiteral("CanSeek"), canSeek);
    }
    if (!changed.isEmpty())
        Announce(QStringLiteral("org.mpris.MediaPlayer2.Player"), changed);
}

void MprisService::Announce(const QString& interface, const QVariantMap& changed)
{
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}
