#pragma once
// The default drive chooser and config.dat, the file that keeps its answer.
#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Asks for the default optical drive when the machine has none or several; with exactly one, it
// writes config.dat at every start without showing itself. A typed text (a device, a folder, an
// ISO image or a CUE sheet) is saved as typed.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    TForm13();

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // Validates and saves the choice, then closes the window; the window stays open with a French
    // message when the choice is blank or config.dat cannot be written.
    void BitBtn1Click();
    // The file that holds the default drive.
    static QString ConfigFile();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FitQuestion();
};

// Writes `drive` as config.dat's one line (Windows-1252 where the text allows, UTF-8 otherwise,
// CR LF), through a temporary file renamed into place; the reason in French when it could not be written.
bool WriteConfigFile(const QString& path, const QString& drive, QString& error);
// The text of config.dat (for showing) and the drive it names: its first line without the line end.
// UTF-8 when the first line's bytes are UTF-8 holding a character Windows-1252 has not (what
// WriteConfigFile writes for such a drive), Windows-1252 otherwise.
QString ConfigText(const QByteArray& bytes);
QString ConfigDrive(const QString& text);

extern TForm13* Form13;
