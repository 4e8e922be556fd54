#pragma once
#include <QDialog>

// The audio language choice dialog.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    TForm7();
};

extern TForm7* Form7;
