#include "gui/editing/paste_tool.h"

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "gui/commands/command_ids.h"
#include "gui/editing/edit_helpers.h"
#include "gui/editing/edit_state.h"
#include "gui/resources/edit_cursors.h"
#include "gui/resources/string_table.h"
#include "gui/views/kestro_view.h"

namespace kestro {

int CPasteTool::CursorId(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return kCursorPlace;
}

QString CPasteTool::StatusText(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return CommandPrompt(kIdEditPaste);
}

void CPasteTool::RightButtonDown(CKestroView& /*view*/, QPoint /*pixel*/) {
    State().TurnPlacement();
}

void CPasteTool::LeftButtonDown(CKestroView& view, QPoint pixel) {
    CEditState& state = State();
    state.Ghost().Hide();
    CCircuit* document = view.Document();
    if (!document || !state.Clipboard().HasData()) return;
    CBusyStatus busy(view);
    {
        // The wires tidied where the old selection was belong to the same change.
        CEditStep step(*document, "Paste");
        DropSelection(view);
        state.SetMode(EditMode::Select);
        document->Paste(state.Clipboard(), view.Selection(), view.ToLogical(pixel),
                        state.Rotation());
    }
    view.UpdateSelectionBounds();
}

}  // namespace kestro
