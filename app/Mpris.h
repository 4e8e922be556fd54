#pragma once
// The desktop's media-player remote control (MPRIS) on the session bus, as
// org.mpris.MediaPlayer2.vistrel: play, pause, stop, next, previous, open, seek, and the playing
// state, all mapped onto the video window's playback commands. Without a session bus there is
// nothing to offer, and nothing is said.
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(QObject* parent = nullptr);
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
    void Poll();
    void Announce(const QString& interface, const QVariantMap& changed);

    bool registered_ = false;
    QTimer poll_;
    QString lastStatus_;
    QVariantMap lastMetadata_;
    bool lastCanSeek_ = false;
};
