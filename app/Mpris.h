#pragma once
// The desktop's media-player remote control (MPRIS) on the session bus, as
// org.mpris.MediaPlayer2.vistrel: play, pause, stop, next, previous, open, seek, and the playing
// state, all mapped onto the player model's commands and told again whenever the model changes.
// Without a session bus there is nothing to offer, and nothing is said.
#include <QObject>
#include <QString>
#include <QVariantMap>

class MprisPlayerAdaptor;
namespace media {
class IMediaSeeking;
}
class PlayerModel;

class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(PlayerModel& model, QObject* parent = nullptr);
    ~MprisService() override;

    // Registers the service; false when there is no session bus or the name is taken.
    bool Start();
    bool Registered() const { return registered_; }

    // What the service tells, as it tells it.
    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    qlonglong Position() const;  // microseconds
    bool CanSeek() const;

    // The commands.
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong offset);
    void SetPosition(qlonglong position);
    void OpenUri(const QString& uri);
    void Quit();
    void Raise();

    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.vistrel";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

private:
    // Tells the bus what changed since it was last told.
    void Refresh();
    void Announce(const QString& interface, const QVariantMap& changed);
    media::IMediaSeeking* FileSeeking() const;

    PlayerModel& model_;
    MprisPlayerAdaptor* player_;
    bool registered_ = false;
    QString lastStatus_;
    QVariantMap lastMetadata_;
    bool lastCanSeek_ = false;
};
