#include "player/TForm7.h"

#include "platform/system/WindowPlacement.h"

TForm7* Form7 = nullptr;

TForm7::TForm7()
{
    setObjectName(QStringLiteral("Form7"));
    platform::DesignWindow(*this, QStringLiteral("Audio"), platform::BorderStyle::Dialog, {240, 72}, QPoint(400, 262));
}
