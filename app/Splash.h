#pragma once
// The splash window.
#include "model/Interfaces.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

// The splash window: a borderless, rounded picture with the product's name and a progress bar
// that the control panel moves while the program starts.
class TForm9 : public QWidget, public IStartUpProgress {
    Q_OBJECT
public:
    // `picturePath` is the JPEG splash picture; when it cannot be read the labels stand on the
    // button-face colour.
    explicit TForm9(const QString& picturePath);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    // The progress that the control panel's creation runs.
    void SetProgress(int percent) override;
    // Hides the splash for good: its window and the window's pixels are given back.
    void Finish() override;

private:
    void FormCreate();

    QElapsedTimer progressShown_;  // since the bar was last drawn
    int progress_ = 0;             // the progress asked for; the bar shows it at the next refresh
};

extern TForm9* Form9;
