#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The shape the three stream dialogs share: a label, an editable drop-down list, OK and Cancel.
class StreamDialog : public QDialog {
    Q_OBJECT
public:
    struct Design {
        const char* name;
        const char* caption;
        QSize client;
        QPoint at;
        const char* label;
        QPoint comboAt;
        int comboWidth;
        int buttonsX;
    };
    explicit StreamDialog(const Design& design);

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // Empties the list and its text.
    void ClearList();
};
