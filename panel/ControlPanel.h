#pragma once
// The control panel: the application's main window.
#include "model/Interfaces.h"
#include "panel/SkinRecord.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class PictureButton;
class PlayerModel;
class StatusDisplay;
class TPiconeBarreTache;
class TVOzariButton;

// The control panel: a borderless window dressed by a skin, with the transport buttons, four shaped
// buttons, the status display, a pop-up menu and a tray icon. It keeps the current medium in the
// player model, offers its status display to the other windows, and runs every playback command
// through the model; it never plays anything itself.
class TForm1 : public QWidget, public IPanelCommands {
    Q_OBJECT
public:
    explicit TForm1(PlayerModel& model);
    ~TForm1() override;

    PlayerModel& Model;
    QString ProgramFolder;  // folder of the program file and its data, with its trailing separator
    QString Settings;       // where config.dat, interface.dat and bookmark.bmk live
    bool DoorOpen = false;
    bool Dragging = false;
    QPoint DragStart;

    // The skin: the live record and the pictures dressed from it.
    SkinRecord Skin;
    QImage FacePicture;  // the background with the button pictures drawn on it

    QLabel* Image1 = nullptr;
    std::array<PictureButton*, SkinRecord::ButtonCount> SpeedButtons{};  // SpeedButton1 .. SpeedButton7
    TVOzariButton* VOzariButton1 = nullptr;  // help
    TVOzariButton* SpeedButton9 = nullptr;   // full screen
    TVOzariButton* VOzariButton3 = nullptr;  // skin editor
    TVOzariButton* VOzariButton2 = nullptr;  // quit
    QFrame* Panel1 = nullptr;
    StatusDisplay* Image2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Ejecterledisque1 = nullptr;
    QAction* Quitter1 = nullptr;
    TPiconeBarreTache* PiconeBarreTache1 = nullptr;

    // The medium named on the command line, taken as the current medium when the panel is shown.
    static QString CommandLineMedium;
    // Works the door of `drive` (open or close); true when the drive obeyed. Tests stand in for a
    // drive here.
    static std::function<bool(const QString& drive, bool open)> DoorCommand;
    // Runs the skin editor modally; true when it was closed with OK (the record then holds its
    // values). Set by the skin editor's window when it is there.
    std::function<bool(SkinRecord& record)> RunSkinEditor;

    // Button and menu handlers.
    void Play1Click();
    void Pause1Click();
    void Stop1Click();
    void NextChapter1Click();
    void Previouschapter1Click();
    void FastForward1Click();
    void Rewind1Click();
    void FullScreen1Click();
    void Aide1Click();
    void VOzariButton3Click();
    void Exit1Click();
    void Ouvrirunfichiermultimdia1Click();
    void Volume1Click();
    void Ejecterledisque1Click();
    void VistrelsurInternet1Click();
    void Informations1Click();
    void Quitter1Click();

    // The skin: read interface.dat or take the defaults, then dress; write interface.dat; dress
    // the panel from the live record. Each says what went wrong in a French message box and
    // returns false; the panel keeps what it had then.
    bool LoadSkin();
    bool SaveSkin();
    bool Dress();
    QString SkinFile() const { return Settings + QStringLiteral("interface.dat"); }

    // The panel's commands as the other windows and the remote control call them.
    void Quit() override { Quitter1Click(); }
    void OpenMedium() override { Ouvrirunfichiermultimdia1Click(); }
    void ShowPanel() override;
    QString SettingsFolder() const override { return Settings; }
    QWidget* Window() override { return this; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildShapedButtons();
    void FormCreate();
    void FormShow();
    void FinishShowing();
    void BuildPopupMenu();
    void ReadConfig();
    void CheckMediaPlatform();
    void DragMouse(QEvent* event);
};

extern TForm1* Form1;
