#pragma once
// Wiring the control panel's skin-editor button to the skin editor.
class TForm1;
class TForm2;

// The panel's skin-editor button runs `editor` on the panel's live record: Apply dresses the panel
// from it, Défaut removes the panel's skin file.
void ConnectSkinEditor(TForm1& panel, TForm2& editor);
