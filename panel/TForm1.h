#pragma once
#include "panel/CurrentMedium.h"

#include <QWidget>

class QFrame;
class QLabel;
class QMenu;
class QAction;
class StatusDisplay;

// The control panel: the application's main window. It owns the current medium and the status
// display, and forwards every playback command to the video window.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    CurrentMediumRecord CurrentMedium;
    QString ProgramFolder;   // folder of the program file, with its trailing separator
    QString SettingsFolder;  // where config.dat, interface.dat and bookmark.bmk live
    bool DoorOpen = false;
    bool Dragging = false;

    QLabel* Image1 = nullptr;
    QFrame* Panel1 = nullptr;
    StatusDisplay* Image2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Quitter1 = nullptr;

    // The medium named on the command line, taken as the current medium when the panel is shown.
    static QString CommandLineMedium;

    void Quitter1Click();
    void Exit1Click();
    // Lets the user choose a medium and plays it.
    void Ouvrirunfichiermultimdia1Click();
    // Makes `path` the current medium (a file, a DVD volume, a CD image or device); false with a
    // French message when there is no such medium.
    bool TakeMedium(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void BuildPopupMenu();
    void ReadConfig();
};

extern TForm1* Form1;
