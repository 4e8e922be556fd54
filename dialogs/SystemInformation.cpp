#include "dialogs/SystemInformation.h"

#include "platform/system/WindowPlacement.h"

TForm11* Form11 = nullptr;

TForm11::TForm11()
{
    setObjectName(QStringLiteral("Form11"));
    platform::DesignWindow(*this, QStringLiteral("Informations sur votre système"), platform::BorderStyle::Dialog, {252, 107});
}
