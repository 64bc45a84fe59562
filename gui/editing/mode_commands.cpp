// The commands that change the editing mode.
#include <QApplication>

#include "core/document/circuit.h"
#include "core/document/document_manager.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/objects/subcircuit_ports.h"
#include "core/platform/prompts.h"
#include "gui/commands/command_ids.h"
#include "gui/editing/edit_commands.h"
#include "gui/editing/edit_state.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

constexpr const char* kTextTitle = "Create New Text";
constexpr const char* kTextPrompt = "Enter Text";
constexpr const char* kLabelTitle = "Label";
constexpr const char* kLoadSubcircuitTitle = "Load Subcircuit";
// A new subcircuit's block while it is placed.
const CRectF kNewSubcircuitRect{-25, -25, 25, 25};

// Every mode command: the ghost is hidden first, and shown again afterwards when asked
// and it was visible; leaving Select mode repaints the selection frame away.
void EnterMode(CKestroView& view, EditMode mode, int kind, bool showAgain = false) {
    CEditState& state = view.Editing();
    const bool shown = state.Ghost().Hide();
    const bool fromSelect = state.Mode() == EditMode::Select;
    state.SetMode(mode, kind);
    if (fromSelect && mode != EditMode::Select && view.Document())
        view.OnCircuitUpdate(*view.Document(), CCircuit::kHintSelection, nullptr);
    if (showAgain && shown) state.Ghost().Show();
}

// Placing starts turned by nothing.
void StartPlacing(CKestroView& view, int kind) {
    view.Editing().SetRotation(0);
    EnterMode(view, EditMode::Place, kind, true);
}

CPrompts* Prompts(CKestroView& view) {
    return view.Document() ? &view.Document()->GetEnvironment().prompts : nullptr;
}

void SelectMode(CKestroView& view) {
    EnterMode(view, EditMode::Select, kPlaceNone);
    CSelection& selection = view.Selection();
    const CRectF old = selection.GetBounds();
    selection.Clear();
    if (!IsEmptyAtTenth(old)) view.InvalidateLogical(old);
}

void Text(CKestroView& view) {
    CPrompts* prompts = Prompts(view);
    if (!prompts) return;
    view.Editing().Ghost().Hide();
    const std::optional<std::string> text = prompts->EnterText(kTextTitle, kTextPrompt, {});
    if (!text || text->empty()) return;
    view.Editing().Ghost().text = *text;
    StartPlacing(view, kPlaceText);
}

void Label(CKestroView& view) {
    CPrompts* prompts = Prompts(view);
    if (!prompts) return;
    view.Editing().Ghost().Hide();
    const std::optional<std::string> name =
        prompts->EnterText(kLabelTitle, kTextPrompt, view.Document()->GetLastLabelName());
    if (!name) return;
    view.Editing().Ghost().name = *name;
    EnterMode(view, EditMode::Place, kPlaceLabel);
}

void NewSubcircuit(CKestroView& view) {
    CPlacementGhost& ghost = view.Editing().Ghost();
    ghost.name.clear();
    ghost.subcircuitRect = kNewSubcircuitRect;
    StartPlacing(view, kPlaceSubcircuit);
}

void LoadSubcircuit(CKestroView& view) {
    CPrompts* prompts = Prompts(view);
    if (!prompts) return;
    view.Editing().Ghost().Hide();
    CFileDialogRequest request;
    request.title = kLoadSubcircuitTitle;
    request.filter = CCircuitDocumentManager::kFileFilter;
    request.defaultExtension = CCircuitDocumentManager::kFileExtension;
    request.fileName = "*.sch";
    request.mustExist = true;
    const std::optional<std::string> file = prompts->OpenFileName(request);
    if (!file) return;
    const std::optional<CRectF> box =
        view.Document()->GetContext().documents.SubcircuitPlacementBox(*file);
    if (!box) {
        QApplication::beep();  // not a schematic
        return;
    }
    CPlacementGhost& ghost = view.Editing().Ghost();
    ghost.name = *file;
    ghost.subcircuitRect = CentredOnOrigin(*box);
    StartPlacing(view, kPlaceSubcircuit);
}

void Paste(CKestroView& view) {
    CEditState& state = view.Editing();
    if (!state.Clipboard().HasData()) return;
    state.SetRotation(0);
    EnterMode(view, EditMode::Paste, kPlaceNone, true);
}

CCommandMap::Rule CheckedIn(CKestroView& view, EditMode mode) {
    return [&view, mode](CCommandState& s) { s.checked = view.Editing().Mode() == mode; };
}

}  // namespace

void RegisterEditingCommands(CKestroView& view) {
    RegisterModeCommands(view);
    RegisterEditCommands(view);
}

void RegisterModeCommands(CKestroView& view) {
    CCommandMap& commands = view.Commands();
    commands.Add(
        kIdEscape, [&view] { SelectMode(view); }, CheckedIn(view, EditMode::Select));
    commands.Add(kIdSelectMode, [&view] { SelectMode(view); });
    commands.AddRange(
        kIdFirstElement, kIdLastElement - 1,
        [&view](int id) { StartPlacing(view, id - kIdFirstElement); },
        [&view](int id, CCommandState& s) {
            const CCircuit* document = view.Document();
            s.enabled = document && uint32_t(id - kIdFirstElement) <
                                        document->GetEnvironment().library.GetElementCount();
        });
    commands.Add(kIdText, [&view] { Text(view); });
    commands.Add(
        kIdWire, [&view] { EnterMode(view, EditMode::Wire, kPlaceWire); },
        CheckedIn(view, EditMode::Wire));
    commands.Add(kIdLabel, [&view] { Label(view); });
    commands.Add(kIdSimulationControl, [&view] { StartPlacing(view, kPlaceSimControl); });
    commands.Add(kIdPlacePort, [&view] { StartPlacing(view, kPlacePort); });
    commands.Add(kIdNewSubcircuit, [&view] { NewSubcircuit(view); });
    commands.Add(kIdLoadSubcircuit, [&view] { LoadSubcircuit(view); });
    commands.Add(
        kIdZoomBox, [&view] { EnterMode(view, EditMode::ZoomBox, kPlaceNone); },
        CheckedIn(view, EditMode::ZoomBox));
    commands.Add(
        kIdEditPaste, [&view] { Paste(view); },
        [&view](CCommandState& s) {
            CEditState& state = view.Editing();
            // A clipboard emptied while pasting ends the pasting.
            if (state.Mode() == EditMode::Paste && !state.Clipboard().HasData())
                state.SetMode(EditMode::Select);
            s.enabled = state.Clipboard().HasData();
            s.checked = state.Mode() == EditMode::Paste;
        });
}

}  // namespace kestro
