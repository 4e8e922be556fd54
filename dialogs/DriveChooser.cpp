#include "dialogs/DriveChooser.h"

#include "platform/system/WindowPlacement.h"

TForm13* Form13 = nullptr;

TForm13::TForm13()
{
    setObjectName(QStringLiteral("Form13"));
    platform::DesignWindow(*this, QStringLiteral("Sélection du lecteur DVD par défaut"), platform::BorderStyle::Dialog, {345, 133});
}
