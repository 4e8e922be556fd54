#pragma once
#include "platform/system/DeferredWindow.h"

#include <QDialog>

class QPushButton;
class UpDownEdit;

// "Aller au Chapitre": the chapter of the current title to go to.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3();
    UpDownEdit* UpDown1 = nullptr;  // with its read-only edit box Edit1
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

extern platform::DeferredWindow<TForm3> Form3;
