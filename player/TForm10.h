#pragma once
#include <QWidget>

class QAction;
class QMenu;

// The video window, which is also the playback controller: every playback command of the program
// runs here.
class TForm10 : public QWidget {
    Q_OBJECT
public:
    TForm10();
    ~TForm10() override;

    QWidget* dvdx8 = nullptr;  // the video control, filling the client area
    QWidget* Panel1 = nullptr;  // holds the seek bar; hidden at start
    QMenu* PopupMenu1 = nullptr;

    // A menu item by its name (e.g. "Quitter1"); null when there is none.
    QAction* MenuItem(const QString& name) const;

    void Quitter1Click();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildPopupMenu();
};

extern TForm10* Form10;
