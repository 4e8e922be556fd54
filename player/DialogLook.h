#pragma once
#include <QString>

class QDialog;
class QPushButton;
class QWidget;
class QLabel;

// The look the small dialogs share: the button-face colour, a sans-serif font of 11 pixels, and
// OK/Cancel buttons that Enter does not press.
void ApplyDialogLook(QDialog& dialog);
QPushButton* MakeDialogButton(QDialog& dialog, const QString& caption, int x, int y, bool accepts);
QLabel* MakeDialogLabel(QWidget* parent, const QString& text, int x, int y);
