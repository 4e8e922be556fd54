#pragma once
#include <QDialog>

// The go-to-title-and-chapter dialog.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5();
};

extern TForm5* Form5;
