#pragma once
#include <QDialog>

// The media file chooser.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12();
};

extern TForm12* Form12;
