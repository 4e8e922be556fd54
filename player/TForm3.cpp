#include "player/TForm3.h"

#include "platform/system/WindowPlacement.h"

TForm3* Form3 = nullptr;

TForm3::TForm3()
{
    setObjectName(QStringLiteral("Form3"));
    platform::DesignWindow(*this, QStringLiteral("Aller au Chapitre"), platform::BorderStyle::Dialog, {172, 69}, QPoint(441, 305));
}
