#pragma once
#include <QDialog>

// The camera angle choice dialog.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8();
};

extern TForm8* Form8;
