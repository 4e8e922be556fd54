#pragma once
#include "platform/system/DeferredWindow.h"
#include "player/StreamDialog.h"

class QCheckBox;

// "Sous titres": the DVD's subtitle language and whether subtitles show.
class TForm6 : public StreamDialog {
    Q_OBJECT
public:
    TForm6();
    QCheckBox* CheckBox1 = nullptr;
};

extern platform::DeferredWindow<TForm6> Form6;
