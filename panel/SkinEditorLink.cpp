// Wiring the control panel's skin-editor button to the skin editor.
#include "panel/SkinEditorLink.h"

#include "panel/ControlPanel.h"
#include "panel/SkinEditor.h"

#include <QPointer>

void ConnectSkinEditor(TForm1& panel, std::function<TForm2*()> editor)
{
    QPointer<TForm1> livePanel(&panel);
    panel.RunSkinEditor = [livePanel, editor = std::move(editor)](SkinRecord& record) {
        TForm2* liveEditor = livePanel ? editor() : nullptr;
        if (!liveEditor)
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
