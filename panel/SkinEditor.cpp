#include "panel/SkinEditor.h"

#include "platform/system/WindowPlacement.h"

TForm2* Form2 = nullptr;

TForm2::TForm2()
{
    setObjectName(QStringLiteral("Form2"));
    platform::DesignWindow(*this, QStringLiteral("Configuration de l'interface"),
                           platform::BorderStyle::Dialog, {442, 294});
}
