#include "player/GoToTimeDialog.h"

#include "platform/system/WindowPlacement.h"
#include "player/DialogLook.h"
#include "player/UpDownEdit.h"

#include <QLabel>

platform::DeferredWindow<TForm4> Form4;

TForm4::TForm4()
{
    setObjectName(QStringLiteral("Form4"));
    platform::DesignWindow(*this, QStringLiteral("Aller à l'heure"), platform::BorderStyle::Dialog, {210, 91},
                           QPoint(458, 315));
    ApplyDialogLook(*this);
    Label2 = MakeDialogLabel(this, QString(), 8, 8);
    Label2->resize(200, 14);
    Label1 = MakeDialogLabel(this, QStringLiteral("HH:MM:SS"), 8, 27);
    UpDown1 = new UpDownEdit(this, 0, 99, 0);
    UpDown1->setGeometry(64, 24, 25 + 15, 21);
    UpDown2 = new UpDownEdit(this, 0, 60, 0);
    UpDown2->setGeometry(112, 24, 25 + 15, 21);
    UpDown3 = new UpDownEdit(this, 0, 60, 0);
    UpDown3->setGeometry(160, 24, 25 + 15, 21);
    Button1 = MakeDialogButton(*this, QStringLiteral("&OK"), 16, 56, true);
    Button2 = MakeDialogButton(*this, QStringLiteral("&Annuler"), 120, 56, false);
}
