#include "player/TForm4.h"

#include "platform/system/WindowPlacement.h"

TForm4* Form4 = nullptr;

TForm4::TForm4()
{
    setObjectName(QStringLiteral("Form4"));
    platform::DesignWindow(*this, QStringLiteral("Aller à l'heure"), platform::BorderStyle::Dialog, {210, 91}, QPoint(458, 315));
}
