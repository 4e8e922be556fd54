#pragma once
// What the windows need of each other, as the model hands it round: the panel's status display,
// the controller's playback commands, the panel's own commands and the splash's progress. Each is
// implemented by one window and wired at start-up; nobody includes the window that implements it.
#include <QString>

class QMenu;
class QWidget;
namespace media {
class IMediaSeeking;
}

// The three-line status display of the control panel: what plays at (5, 5), the chapter at
// (5, 20), the time at (5, 35).
class IStatusDisplay {
public:
    virtual ~IStatusDisplay() = default;
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual void Clear() = 0;
};

// The playback controller's commands (the video window implements them). None takes an argument;
// each reads the current medium from the model.
class IPlaybackCommands {
public:
    virtual ~IPlaybackCommands() = default;
    virtual void PlayMedium() = 0;
    virtual void PauseMedium() = 0;
    virtual void StopMedium() = 0;
    virtual void NextChapter() = 0;
    virtual void PreviousChapter() = 0;
    virtual void FastForward() = 0;
    virtual void Rewind() = 0;
    virtual void ShowRootMenu() = 0;
    virtual void ShowTitleMenu() = 0;
    virtual void ToggleFullScreen() = 0;
    // Shows the video window (the panel's showing step).
    virtual void ShowVideoWindow() = 0;
    // Empties the file graph before another medium is chosen.
    virtual void ClearFileGraph() = 0;
    // The file graph's seeking while a file is the current medium; null otherwise.
    virtual media::IMediaSeeking* FileSeeking() = 0;
    // The video window's pop-up menu, which the tray icon offers once a medium was opened.
    virtual QMenu* PopupMenu() = 0;
};

// The control panel's commands that the other windows and the remote control call.
class IPanelCommands {
public:
    virtual ~IPanelCommands() = default;
    // Ends the program as the panel's "Quitter" does.
    virtual void Quit() = 0;
    // Lets the user choose a medium and plays it.
    virtual void OpenMedium() = 0;
    // Brings the panel to the front.
    virtual void ShowPanel() = 0;
    // The folder where config.dat, interface.dat and bookmark.bmk live, with its trailing separator.
    virtual QString SettingsFolder() const = 0;
    // The panel's window, owner of the messages said about it (null without a panel).
    virtual QWidget* Window() = 0;
};

// The splash's progress, run by the panel's creation.
class IStartUpProgress {
public:
    virtual ~IStartUpProgress() = default;
    virtual void SetProgress(int percent) = 0;
    virtual void Finish() = 0;
};
