#include "dialogs/MediaChooser.h"

#include "platform/system/WindowPlacement.h"

TForm12* Form12 = nullptr;

TForm12::TForm12()
{
    setObjectName(QStringLiteral("Form12"));
    platform::DesignWindow(*this, QStringLiteral("Sélection d'un fichier multimédia"), platform::BorderStyle::Dialog, {375, 269});
}
