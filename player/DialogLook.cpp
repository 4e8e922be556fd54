#include "player/DialogLook.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

void ApplyDialogLook(QDialog& dialog)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    dialog.setFont(font);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}

QPushButton* MakeDialogButton(QDialog& dialog, const QString& caption, int x, int y, bool accepts)
{
    auto* button = new QPushButton(caption, &dialog);  // owned by the dialog
    button->setGeometry(x, y, 75, 25);
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, accepts ? &QDialog::accept : &QDialog::reject);
    return button;
}

QLabel* MakeDialogLabel(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);  // owned by the parent
    label->move(x, y);
    label->adjustSize();
    return label;
}
