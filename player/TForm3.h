#pragma once
#include <QDialog>

// The go-to-chapter dialog.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3();
};

extern TForm3* Form3;
