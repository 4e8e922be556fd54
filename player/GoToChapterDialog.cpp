#include "player/GoToChapterDialog.h"

#include "platform/system/WindowPlacement.h"
#include "player/DialogLook.h"
#include "player/UpDownEdit.h"

platform::DeferredWindow<TForm3> Form3;

TForm3::TForm3()
{
    setObjectName(QStringLiteral("Form3"));
    platform::DesignWindow(*this, QStringLiteral("Aller au Chapitre"), platform::BorderStyle::Dialog, {172, 69},
                           QPoint(441, 305));
    ApplyDialogLook(*this);
    UpDown1 = new UpDownEdit(this, 1, 999, 1);
    UpDown1->setGeometry(56, 8, 41 + 15, 21);
    Button1 = MakeDialogButton(*this, QStringLiteral("&OK"), 8, 40, true);
    Button2 = MakeDialogButton(*this, QStringLiteral("&Annuler"), 88, 40, false);
}
