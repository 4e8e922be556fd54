#include "player/TForm6.h"

#include "platform/system/WindowPlacement.h"

TForm6* Form6 = nullptr;

TForm6::TForm6()
{
    setObjectName(QStringLiteral("Form6"));
    platform::DesignWindow(*this, QStringLiteral("Sous titres"), platform::BorderStyle::Dialog, {262, 93}, QPoint(394, 320));
}
