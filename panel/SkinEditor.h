#pragma once
// The skin editor: moves, recolours and re-pictures the control panel's elements.
#include "panel/SkinRecord.h"
#include "platform/system/DeferredWindow.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QColorDialog;
class QComboBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class PictureButton;
class ScreenFontDialog;
class TVOzariButton;

// What the editor needs of the panel it dresses.
struct SkinEditorHost {
    // Dresses the panel from `record` without writing anything (Apply); false when it could not.
    std::function<bool(const SkinRecord& record)> Apply;
    // The skin file that Défaut removes.
    QString SkinFile;
};

// The skin editor: a preview of the panel whose twelve elements move by coordinates or with the
// mouse, the background and button pictures, the transparency colour, and the status display's
// colour and font. It edits a record the panel gives it; Apply has the panel dressed from it, OK
// hands it back to the panel, Annuler, Défaut and the close box leave it to the panel to reload.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    // The element list, by index.
    enum Element { Previous, Rewind, SkinEditor, Help, FullScreen, Pause, Play, Stop, Forward, Next, Quit, Screen,
                   ElementCount };

    TForm2();
    ~TForm2() override;

    // Runs the editor modally on `record`; true when it was closed with OK, and `record` then holds
    // the editor's values. Button picture choices and Apply write into `record` at once.
    bool Edit(SkinRecord& record, SkinEditorHost host);

    bool SkinEditorAccepted = false;

    // The preview.
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;  // the background, stretched
    std::array<PictureButton*, SkinRecord::ButtonCount> SpeedButtons{};
    TVOzariButton* VOzariButton3 = nullptr;  // skin editor
    TVOzariButton* VOzariButton1 = nullptr;  // help
    TVOzariButton* SpeedButton9 = nullptr;   // full screen
    TVOzariButton* VOzariButton2 = nullptr;  // quit
    QLabel* Panel3 = nullptr;                // the status display

    // Choices and positions.
    QPushButton* BitBtn3 = nullptr;  // "Image et forme de fond"
    QPushButton* BitBtn4 = nullptr;  // "Couleur de transparence"
    QFrame* Panel2 = nullptr;        // the transparency colour
    QPushButton* BitBtn5 = nullptr;  // "Police de l'écran"
    QFrame* Panel4 = nullptr;        // the screen colour
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* ComboBox1 = nullptr;  // the element list
    QSpinBox* Edit1 = nullptr;       // X, 0 to 800
    QSpinBox* Edit2 = nullptr;       // Y, 0 to 500
    QLabel* Image2 = nullptr;        // the selected button's picture
    QLabel* Label5 = nullptr;        // hidden: the background chosen in this opening
    QPushButton* Button1 = nullptr;  // "&Défaut"
    QPushButton* BitBtn1 = nullptr;  // "&OK"
    QPushButton* BitBtn6 = nullptr;  // "A&ppliquer"
    QPushButton* BitBtn2 = nullptr;  // "&Annuler"

    QFileDialog* OpenPictureDialog1 = nullptr;  // background
    QFileDialog* OpenPictureDialog2 = nullptr;  // button pictures
    QColorDialog* ColorDialog1 = nullptr;
    ScreenFontDialog* FontDialog1 = nullptr;

    // The preview control of an element of the list.
    QWidget* ElementWidget(int element) const;

    // Handlers.
    void FormActivate();
    void ComboBox1Change();
    void Edit1Change();
    void Edit2Change();
    void Image1Click();
    void Image2Click();
    void BitBtn4Click();
    void Panel4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildPreview();
    void BuildChoices();
    void BuildPositions();
    // The file, colour and font dialogs: made when the editor is first shown (they are opened
    // only from it), not at start-up, where their folder scans would slow the first picture.
    void BuildDialogs();
    void SelectElement(int element);
    int ElementOf(const QObject* object) const;
    bool DragElement(int element, QEvent* event);
    void ShowColours();
    void TakePreviewInto(SkinRecord& record) const;
    // A bitmap the user picked in `dialog`, checked: empty when the dialog was cancelled or the
    // picture is refused (the user is told why).
    QString ChoosePicture(QFileDialog& dialog, QImage& picture);
    std::optional<QColor> ChooseColour();

    SkinRecord* record_ = nullptr;  // the record of the current opening
    SkinEditorHost host_;
    // Values the controls show that the record keeps as its own numbers (system colours included).
    quint32 transparency_ = 0;
    quint32 screen_ = 0;
    quint32 fontColour_ = 0;
    QString fontName_;
    int fontSize_ = 8;
    QColor lastColour_ = Qt::black;  // the colour dialog's last answer
    struct Drag {
        int element;
        QPoint pointerStart;
        QPoint elementStart;
    };
    std::optional<Drag> drag_;
};

extern platform::DeferredWindow<TForm2> Form2;
