// Wiring the control panel's skin-editor button to the skin editor.
#include "panel/SkinEditorLink.h"

#include "panel/ControlPanel.h"
#include "panel/SkinEditor.h"

#include <QPointer>

void ConnectSkinEditor(TForm1& panel, TForm2& editor)
{
    QPointer<TForm1> livePanel(&panel);
    QPointer<TForm2> liveEditor(&editor);
    panel.RunSkinEditor = [livePanel, liveEditor](SkinRecord& record) {
        if (!livePanel || !liveEditor)
            return false;
        SkinEditorHost host;
        host.Apply = [livePanel](const SkinRecord& applied) {
            if (!livePanel)
                return false;
            livePanel->Skin = applied;
            return livePanel->Dress();
        };
        host.SkinFile = livePanel->SkinFile();
        return liveEditor->Edit(record, std::move(host));
    };
}
