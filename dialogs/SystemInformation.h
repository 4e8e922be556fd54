#pragma once
#include <QDialog>

// The system information dialog.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    TForm11();
};

extern TForm11* Form11;
