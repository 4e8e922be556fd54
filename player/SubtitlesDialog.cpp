#include "player/SubtitlesDialog.h"

#include <QCheckBox>

platform::DeferredWindow<TForm6> Form6;

TForm6::TForm6()
    : StreamDialog({"Form6", "Sous titres", {262, 93}, {394, 320}, "Choix de la langue :", {16, 32}, 145, 176})
{
    CheckBox1 = new QCheckBox(QStringLiteral("Afficher les sous titres"), this);
    CheckBox1->setGeometry(16, 64, 129, 17);
}
