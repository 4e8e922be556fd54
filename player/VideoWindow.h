#pragma once
// The video window and playback controller.
#include "model/Interfaces.h"
#include "platform/com/Unknown.h"
#include "platform/dvd/DvdInterfaces.h"

#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class PlayerModel;
enum class PlaybackState;
class TDSDVDGraph;
class TDSFilterGraph2;
class TDSTrackBar;
class TDSVideoWindow;
class TMediaPlayer;

// The video window, which is also the playback controller: every playback command of the program
// runs here. It reads the model's current medium at each command and plays it through one of three
// players: the DVD graph, the file graph or the CD player; it tells the model the playback state,
// and its caption follows that state.
class TForm10 : public QWidget, public IPlaybackCommands {
    Q_OBJECT
public:
    explicit TForm10(PlayerModel& model);
    ~TForm10() override;

    // Components, as designed.
    TDSVideoWindow* dvdx8 = nullptr;  // the video control, filling the client area
    QWidget* Panel1 = nullptr;        // holds the seek bar; hidden at start
    TDSTrackBar* DSTrackBar1 = nullptr;
    TMediaPlayer* MediaPlayer1 = nullptr;
    TDSDVDGraph* DVDGraph = nullptr;
    TDSFilterGraph2* FilterGraph = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // Controller state.
    bool Paused = false;
    com::Ref<dvd::IDvdCmd> LastCommand;

    // A menu item by its name (e.g. "Quitter1"); null when there is none.
    QAction* MenuItem(const QString& name) const;

    PlayerModel& Model;

    // Playback commands.
    void PlayMedium() override;
    void PauseMedium() override;
    void StopMedium() override;
    void ShowVideoWindow() override { show(); }
    void ClearFileGraph() override;
    media::IMediaSeeking* FileSeeking() override;
    QMenu* PopupMenu() override { return PopupMenu1; }
    // Ends the program after a message when the DVD graph cannot be built or decoded; returns
    // false then.
    bool CheckDvdRenderResult(HRESULT status);

    // Navigation commands.
    void NextChapter() override;
    void PreviousChapter() override;
    void FastForward() override;
    void Rewind() override;
    void ShowRootMenu() override;
    void ShowTitleMenu() override;
    void Chapter2Click();
    void Time2Click();
    void Title2Click();

    // Audio, subtitle and angle choice; the bookmark.
    void Audio1Click();
    void Soustitres1Click();
    void Angle1Click();
    void Mettreunsignet1Click();
    void Allerausignet1Click();
    QString BookmarkPath() const;

    // Menu handlers of the window's own.
    void Quitter1Click();
    void Ouvrirunfichiermultimdia1Click();
    void VistrelsurInternet1Click();

    // Window behaviour: zoom, full screen, mouse and wheel over the video, status display.
    QRect SavedWindowBounds;
    QRect BaseVideoBounds;
    int CurrentChapter = 0;
    QString HourText, MinuteText, SecondText;
    void FormShow();
    void FormResize();
    void SetZoom(int step);  // N11Click .. N51Click
    int Zoom() const { return zoomStep_; }
    void ToggleFullScreen() override;
    void Panneaudecommandes1Click();
    void Volume1Click();
    void DVDGraphDVDCurrentHMSFTime(int hours, int minutes, int seconds);
    void DVDX8DVDChapterStart(int chapter);
    void RegionError();

    // True while the video control fills the client area (the seek bar's panel, when shown,
    // takes the bottom).
    bool VideoClientAligned = true;
    void Realign();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildPopupMenu();
    // The caption of each playback state.
    void ShowState(PlaybackState state);
    void ConnectBehaviour();
    void ConnectMenu();
    void SetDvdEntriesVisible(bool visible);
    bool PlayDvd();
    bool PlayFileOrCd();
    // Leaves full screen, brings the dialog up and runs it modally; true on OK.
    bool RunGoToDialog(class QDialog& dialog);
    bool IsCd() const;
    bool IsDvd() const;
    int zoomStep_ = 1;
    // The CD player's part of the commands (the CD player reports its own failures).
    bool CdOpenAndPlay();
    void CdPlay();
    void CdPause();
    void CdStop();
    void CdNext();
    void CdPrevious();
};

extern TForm10* Form10;
