#pragma once
#include <QSpinBox>

// A read-only edit box with its up-down arrows: the value changes only through the arrows (or
// the keyboard's up and down keys), never by typing, and does not wrap.
class UpDownEdit : public QSpinBox {
    Q_OBJECT
public:
    UpDownEdit(QWidget* parent, int minimum, int maximum, int position);
    int Position() const { return value(); }
    void SetPosition(int position) { setValue(position); }
};
