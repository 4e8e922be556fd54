#include "player/GoToTitleDialog.h"

#include "platform/system/WindowPlacement.h"
#include "player/DialogLook.h"
#include "player/UpDownEdit.h"

platform::DeferredWindow<TForm5> Form5;

TForm5::TForm5()
{
    setObjectName(QStringLiteral("Form5"));
    platform::DesignWindow(*this, QStringLiteral("Aller au titre / chapitre"), platform::BorderStyle::Dialog,
                           {204, 66}, QPoint(467, 290));
    ApplyDialogLook(*this);
    Label1 = MakeDialogLabel(this, QStringLiteral("Titre"), 8, 8);
    Label2 = MakeDialogLabel(this, QStringLiteral("Chapitre"), 8, 40);
    UpDown1 = new UpDownEdit(this, 1, 99, 1);
    UpDown1->setGeometry(48, 8, 49 + 15, 21);
    UpDown2 = new UpDownEdit(this, 1, 999, 1);
    UpDown2->setGeometry(48, 40, 49 + 15, 21);
    Button1 = MakeDialogButton(*this, QStringLiteral("&OK"), 128, 8, true);
    Button2 = MakeDialogButton(*this, QStringLiteral("&Annuler"), 128, 40, false);
}
