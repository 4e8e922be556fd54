#pragma once
#include "platform/system/DeferredWindow.h"

#include <QDialog>

class QLabel;
class QPushButton;
class UpDownEdit;

// "Aller à l'heure": a time of the current title to go to, under the title's total time.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4();
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;       // "Durée totale du titre: h:m:s"
    UpDownEdit* UpDown1 = nullptr;  // hours
    UpDownEdit* UpDown2 = nullptr;  // minutes, up to 60
    UpDownEdit* UpDown3 = nullptr;  // seconds, up to 60
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

extern platform::DeferredWindow<TForm4> Form4;
