#pragma once
#include "platform/system/DeferredWindow.h"
#include "player/StreamDialog.h"

// "Audio": the DVD's audio language.
class TForm7 : public StreamDialog {
    Q_OBJECT
public:
    TForm7();
};

extern platform::DeferredWindow<TForm7> Form7;
