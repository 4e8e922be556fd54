#pragma once
#include <QDialog>

// The go-to-time dialog.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4();
};

extern TForm4* Form4;
