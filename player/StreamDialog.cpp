#include "player/StreamDialog.h"

#include "platform/system/WindowPlacement.h"
#include "player/DialogLook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

StreamDialog::StreamDialog(const Design& design)
{
    setObjectName(QString::fromLatin1(design.name));
    platform::DesignWindow(*this, QString::fromUtf8(design.caption), platform::BorderStyle::Dialog, design.client,
                           design.at);
    ApplyDialogLook(*this);
    Label1 = MakeDialogLabel(this, QString::fromUtf8(design.label), 8, 8);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setGeometry(design.comboAt.x(), design.comboAt.y(), design.comboWidth, 21);
    ComboBox1->setEditText(QStringLiteral("ComboBox1"));
    Button1 = MakeDialogButton(*this, QStringLiteral("&OK"), design.buttonsX, 8, true);
    Button2 = MakeDialogButton(*this, QStringLiteral("&Annuler"), design.buttonsX, 40, false);
}

void StreamDialog::ClearList()
{
    ComboBox1->clear();
    ComboBox1->setEditText(QString());
}
