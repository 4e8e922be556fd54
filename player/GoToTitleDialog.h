#pragma once
#include "platform/system/DeferredWindow.h"

#include <QDialog>

class QLabel;
class QPushButton;
class UpDownEdit;

// "Aller au titre / chapitre": a title and a chapter in it to go to.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5();
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    UpDownEdit* UpDown1 = nullptr;  // title, 1 to 99
    UpDownEdit* UpDown2 = nullptr;  // chapter, 1 to 999
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

extern platform::DeferredWindow<TForm5> Form5;
