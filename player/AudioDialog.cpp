#include "player/AudioDialog.h"

platform::DeferredWindow<TForm7> Form7;

TForm7::TForm7()
    : StreamDialog({"Form7", "Audio", {240, 72}, {400, 262}, "Choix de la langue :", {8, 32}, 145, 160})
{
}
