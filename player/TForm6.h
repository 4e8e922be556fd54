#pragma once
#include <QDialog>

// The subtitle choice dialog.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6();
};

extern TForm6* Form6;
