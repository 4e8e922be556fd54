#include "player/TForm8.h"

#include "platform/system/WindowPlacement.h"

TForm8* Form8 = nullptr;

TForm8::TForm8()
{
    setObjectName(QStringLiteral("Form8"));
    platform::DesignWindow(*this, QStringLiteral("Angle"), platform::BorderStyle::Dialog, {230, 77}, QPoint(430, 285));
}
