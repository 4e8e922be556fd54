#include "player/UpDownEdit.h"

#include <QLineEdit>

UpDownEdit::UpDownEdit(QWidget* parent, int minimum, int maximum, int position)
    : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(position);
    setWrapping(false);
    lineEdit()->setReadOnly(true);
}
