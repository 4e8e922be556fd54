#pragma once
// The player model: the current medium, the playback state with its change signals, and the
// interfaces through which the windows and the remote control reach each other.
#include "model/CurrentMedium.h"
#include "model/Interfaces.h"

#include <QObject>

enum class PlaybackState { Stopped, Loading, Playing, Paused, ScanningForward, ScanningBackward, Error };

// The state's word for the remote control ("Playing", "Paused", "Stopped").
QString MprisStatusOf(PlaybackState state);

class PlayerModel : public QObject {
    Q_OBJECT
public:
    explicit PlayerModel(QObject* parent = nullptr);
    ~PlayerModel() override;

    // The current medium, ".DVD" at start.
    const CurrentMediumRecord& CurrentMedium() const { return medium_; }
    void SetMedium(const QString& kind, const QString& file);
    void SetMediaDrive(const QString& drive);
    // Makes `path` the current medium (a file, a DVD volume, a CD image or device); false with a
    // French message when there is no such medium.
    bool TakeMedium(const QString& path);

    PlaybackState State() const { return state_; }
    // The scan rate while scanning (8 for the panel's buttons), 1 otherwise.
    double Rate() const { return rate_; }
    void SetState(PlaybackState state, double rate = 1.0);
    bool IsPlaying() const;

    // The DVD chapter last announced (0 before any).
    int Chapter() const { return chapter_; }
    void SetChapter(int chapter);
    // A jump of the playing position (seek, go-to); `position` in microseconds.
    void AnnounceSeek(qint64 position);

    // Asks for the end of the program (the panel's "Quitter", its closing, a fatal DVD failure);
    // whoever runs the message loop ends it.
    void RequestQuit();
    bool QuitRequested() const { return quitRequested_; }

    // The windows' interfaces; each is a quiet stand-in until a window is wired.
    IStatusDisplay& StatusDisplay() const { return *statusDisplay_; }
    IPlaybackCommands& Commands() const { return *commands_; }
    IPanelCommands& Panel() const { return *panel_; }
    IStartUpProgress& StartUpProgress() const { return *progress_; }
    void SetStatusDisplay(IStatusDisplay* display);
    void SetCommands(IPlaybackCommands* commands);
    void SetPanel(IPanelCommands* panel);
    void SetStartUpProgress(IStartUpProgress* progress);

signals:
    void StateChanged(PlaybackState state);
    void MediumChanged();
    void ChapterChanged(int chapter);
    void Seeked(qint64 position);
    void Quitting();

private:
    CurrentMediumRecord medium_;
    PlaybackState state_ = PlaybackState::Stopped;
    double rate_ = 1.0;
    int chapter_ = 0;
    bool quitRequested_ = false;
    IStatusDisplay* statusDisplay_;
    IPlaybackCommands* commands_;
    IPanelCommands* panel_;
    IStartUpProgress* progress_;
};
