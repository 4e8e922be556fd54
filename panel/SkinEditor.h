#pragma once
#include <QDialog>

// The skin editor: moves, recolours and re-pictures the control panel's elements.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2();
    bool SkinEditorAccepted = false;
};

extern TForm2* Form2;
