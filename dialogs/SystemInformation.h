#pragma once
// The system information dialog.
#include "platform/system/DeferredWindow.h"

#include <QDialog>

class QLabel;
class QPushButton;

// Tells the processor, its vendor, the system's version and the media platform's version, read
// afresh at each opening.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    TForm11();

    QLabel* Label4 = nullptr;  // processor
    QLabel* Label6 = nullptr;  // vendor
    QLabel* Label8 = nullptr;  // system version
    QLabel* Label2 = nullptr;  // media platform
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // Where the system's files are read ("/" on a running system).
    QString Root = QStringLiteral("/");

    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
};

extern platform::DeferredWindow<TForm11> Form11;
