#pragma once
#include <QDialog>

// The default drive chooser.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    TForm13();
};

extern TForm13* Form13;
