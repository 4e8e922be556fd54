#pragma once
#include <QDialog>

// The media file chooser.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12();
    // The choice, read by the caller once the chooser is closed with OK: the kind tag (".DVD",
    // ".CDA" or the file's upper-case extension with its dot) and the file's full path.
    QString KindTag;
    QString FileName;
};

extern TForm12* Form12;
