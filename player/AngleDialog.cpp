#include "player/AngleDialog.h"

platform::DeferredWindow<TForm8> Form8;

TForm8::TForm8()
    : StreamDialog({"Form8", "Angle", {230, 77}, {430, 285}, "Choix de l'angle :", {8, 32}, 129, 152})
{
}
