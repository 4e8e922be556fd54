#include "player/TForm5.h"

#include "platform/system/WindowPlacement.h"

TForm5* Form5 = nullptr;

TForm5::TForm5()
{
    setObjectName(QStringLiteral("Form5"));
    platform::DesignWindow(*this, QStringLiteral("Aller au titre / chapitre"), platform::BorderStyle::Dialog, {204, 66}, QPoint(467, 290));
}
