#pragma once
// Wiring the control panel's skin-editor button to the skin editor.
#include <functional>

class TForm1;
class TForm2;

// The panel's skin-editor button runs the editor that `editor` gives at that moment (null: nothing
// runs) on the panel's live record: Apply dresses the panel from it, Défaut removes the panel's skin
// file.
void ConnectSkinEditor(TForm1& panel, std::function<TForm2*()> editor);
