#pragma once
// The status display's font chooser.
#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

// The status display's font chooser: family, style, effects, a size from 8 to 12 points only, and a
// colour among the sixteen basic ones. It opens on what it last returned.
class ScreenFontDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSmallest = 8;
    static constexpr int kLargest = 12;

    explicit ScreenFontDialog(QWidget* parent);

    // Shows the chooser modally on its last answer; true when it was accepted.
    bool Choose();
    QFont SelectedFont() const { return font_; }
    QColor SelectedColour() const { return colour_; }

    QFontDialog* Fonts = nullptr;   // family, style, size and effects, without buttons of its own
    QComboBox* Colours = nullptr;   // "Couleur :"

    // `font` with its size brought within 8 to 12 points.
    static QFont Limited(const QFont& font);

private:
    void KeepSizeInRange(const QFont& font);

    QFont font_;
    QColor colour_ = Qt::black;
};
