#include "app/Mpris.h"

#include "app/MprisAdaptors.h"
#include "model/PlayerModel.h"
#include "platform/media/ControlInterfaces.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

// While a window waits for the user's answer (a message box, a go-to dialog), the remote control
// changes nothing: the command would run inside that window's wait and the answer would then act
// on a medium the user never saw it about.
bool WaitingForAnswer()
{
    return QApplication::activeModalWidget() != nullptr;
}

}  // namespace

MprisService::MprisService(PlayerModel& model, QObject* parent)
    : QObject(parent)
    , model_(model)
{
    new MprisRootAdaptor(this, *this);                 // owned by this object
    player_ = new MprisPlayerAdaptor(this, *this);     // owned by this object
    connect(&model_, &PlayerModel::StateChanged, this, &MprisService::Refresh);
    connect(&model_, &PlayerModel::MediumChanged, this, &MprisService::Refresh);
    connect(&model_, &PlayerModel::ChapterChanged, this, &MprisService::Refresh);
    connect(&model_, &PlayerModel::Seeked, player_, &MprisPlayerAdaptor::Seeked);
}

MprisService::~MprisService()
{
    if (registered_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        bus.unregisterService(QString::fromLatin1(kServiceName));
    }
}

media::IMediaSeeking* MprisService::FileSeeking() const
{
    return model_.Commands().FileSeeking();
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
    return true;
}

QString MprisService::PlaybackStatus() const
{
    return MprisStatusOf(model_.State());
}

QVariantMap MprisService::Metadata() const
{
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/vistrel/track/current"))));
    const CurrentMediumRecord& medium = model_.CurrentMedium();
    if (medium.IsDvd()) {
        metadata.insert(QStringLiteral("xesam:title"), QStringLiteral("DVD vidéo"));
        metadata.insert(QStringLiteral("vistrel:chapter"), model_.Chapter());
    } else if (medium.IsCd()) {
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
    if (WaitingForAnswer())
        return;
    model_.Commands().PlayMedium();
}

void MprisService::Pause()
{
    if (WaitingForAnswer())
        return;
    model_.Commands().PauseMedium();
}

void MprisService::PlayPause()
{
    if (model_.IsPlaying())
        Pause();
    else
        Play();
}

void MprisService::Stop()
{
    if (WaitingForAnswer())
        return;
    model_.Commands().StopMedium();
}

void MprisService::Next()
{
    if (WaitingForAnswer())
        return;
    model_.Commands().NextChapter();
}

void MprisService::Previous()
{
    if (WaitingForAnswer())
        return;
    model_.Commands().PreviousChapter();
}

void MprisService::SetPosition(qlonglong position)
{
    media::IMediaSeeking* seeking = FileSeeking();
    if (!seeking || position < 0 || WaitingForAnswer())
        return;
    media::REFERENCE_TIME duration = 0;
    seeking->GetDuration(duration);
    media::REFERENCE_TIME target = position * 10;
    if (duration > 0 && target > duration)
        return;  // beyond the end: ignored, as the remote control's rules say
    if (SUCCEEDED(seeking->SetPositions(&target, media::AM_SEEKING_AbsolutePositioning, nullptr,
                                        media::AM_SEEKING_NoPositioning)))
        model_.AnnounceSeek(Position());
}

void MprisService::Seek(qlonglong offset)
{
    SetPosition(std::max<qlonglong>(0, Position() + offset));
}

void MprisService::OpenUri(const QString& uri)
{
    const QUrl url(uri);
    const QString path = url.isLocalFile() ? url.toLocalFile() : uri;
    // Later, from the event loop: the caller gets its answer before the medium loads.
    if (WaitingForAnswer())
        return;
    QTimer::singleShot(0, this, [this, path] {
        if (WaitingForAnswer())
            return;
        model_.Commands().StopMedium();
        if (model_.TakeMedium(path))
            model_.Commands().PlayMedium();
    });
}

void MprisService::Quit()
{
    if (WaitingForAnswer())
        return;
    QTimer::singleShot(0, this, [this] {
        if (!WaitingForAnswer())
            model_.Panel().Quit();
    });
}

void MprisService::Raise()
{
    // The window that waits for an answer is the one to show.
    if (QWidget* waiting = QApplication::activeModalWidget()) {
        waiting->raise();
        waiting->activateWindow();
        return;
    }
    model_.Panel().ShowPanel();
}

void MprisService::Refresh()
{
    QVariantMap changed;
    if (!registered_)
        return;
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
