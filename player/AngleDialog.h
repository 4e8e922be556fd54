#pragma once
#include "platform/system/DeferredWindow.h"
#include "player/StreamDialog.h"

// "Angle": the DVD's camera angle.
class TForm8 : public StreamDialog {
    Q_OBJECT
public:
    TForm8();
};

extern platform::DeferredWindow<TForm8> Form8;
