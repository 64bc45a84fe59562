// The commands that act on the selection or on the whole drawing.
#include <QGuiApplication>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/document/undo_history.h"
#include "core/library/lib_element.h"
#include "core/platform/prompts.h"
#include "gui/commands/command_ids.h"
#include "gui/dialogs/find_element_dialog.h"
#include "gui/editing/bitmap_copy.h"
#include "gui/editing/edit_commands.h"
#include "gui/editing/edit_helpers.h"
#include "gui/editing/edit_state.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

constexpr const char* kCannotFind = "Can Not Find Element.";

bool HasSelection(const CKestroView& view) {
    return !view.Selection().IsEmpty();
}

bool HasObjects(const CKestroView& view) {
    return view.Document() && view.Document()->GetObjectCount() > 0;
}

void Rotate(CKestroView& view) {
    CEditState& state = view.Editing();
    if (state.Mode() == EditMode::Place || state.Mode() == EditMode::Paste) {
        state.TurnPlacement();
        return;
    }
    CCircuit* document = view.Document();
    if (state.Mode() != EditMode::Select || !document || view.Selection().IsEmpty()) return;
    CBusyStatus busy(view);
    document->RefreshSelection(view.Selection());
    document->RotateSelection(view.Selection(), 3);
    view.UpdateSelectionBounds();
}

void Flip(CKestroView& view, int axis) {
    if (CCircuit* document = view.Document()) {
        document->FlipSelection(view.Selection(), axis);
        view.UpdateSelectionBounds();
    }
}

void Copy(CKestroView& view) {
    CCircuit* document = view.Document();
    if (!document) return;
    document->RefreshSelection(view.Selection());
    if (!view.Selection().IsEmpty()) document->Copy(view.Selection(), view.Editing().Clipboard());
}

void Delete(CKestroView& view) {
    CCircuit* document = view.Document();
    if (!document || view.Selection().IsEmpty()) return;
    if (view.Editing().Hooks().forgetAttributes) view.Editing().Hooks().forgetAttributes();
    // The text links of selected elements go with them: left behind they would float on
    // the sheet without an element, and vanish when the file is read again.
    document->RefreshSelection(view.Selection());
    {
        // The wires tidied where the objects were belong to the deletion.
        CEditStep step(*document, "Delete");
        const CRectF old = view.Selection().GetBounds();
        document->DeleteSelection(view.Selection());
        if (!IsEmptyAtTenth(old)) step.CleanUpWires(old);
    }
    view.UpdateSelectionBounds();
}

// Undo and Redo run on the document's history, whose commands the next target (the
// document's side of the window) keeps with their labels. The view leaves placing or
// pasting first, and afterwards selects what the step brought back or changed and
// scrolls it into sight, so that an undone deletion is seen where it was.
void StepHistory(CKestroView& view, int id) {
    CCircuit* document = view.Document();
    CCommandTarget* next = view.NextCommandTarget();
    CUndoHistory* history = document ? CUndoHistory::Of(*document) : nullptr;
    if (!history || !next || view.Tracker()) return;  // not in the middle of a drag
    CEditState& state = view.Editing();
    state.Ghost().Hide();
    if (state.Mode() != EditMode::Select) state.SetMode(EditMode::Select);
    const size_t before = history->UndoCount();
    if (!next->Commands().Execute(id) || history->UndoCount() == before) return;
    // No wire tidying here: it would be a new step and drop the steps to redo.
    const CRectF old = view.Selection().GetBounds();
    view.Selection().Clear();
    if (!IsEmptyAtTenth(old)) view.InvalidateLogical(old);
    for (CPart* part : history->LastStepObjects())
        view.Selection().Add(*part);
    view.UpdateSelectionBounds();
    if (!view.Selection().IsEmpty()) view.ScrollToCentre(view.Selection().GetBounds().Center());
    view.viewport()->update();
}

void HistoryState(const CKestroView& view, int id, CCommandState& state) {
    state.enabled = false;
    if (CCommandTarget* next = view.NextCommandTarget()) next->Commands().Update(id, state);
}

void SelectAll(CKestroView& view) {
    CCircuit* document = view.Document();
    if (!document) return;
    DropSelection(view);
    document->SelectAll(view.Selection());
    view.UpdateSelectionBounds();
}

void SelectNext(CKestroView& view, bool forward) {
    CCircuit* document = view.Document();
    if (!document) return;
    CPart* current = DropSelection(view);
    if (CPart* next = document->NextObject(current, forward)) view.Selection().Add(*next);
    view.UpdateSelectionBounds();
}

// The Find dialog of the application, unless the editor put another in its place.
bool AskFind(CKestroView& view, CFindRequest& request) {
    CEditHooks& hooks = view.Editing().Hooks();
    CLibraryData& library = view.Document()->GetEnvironment().library;
    if (hooks.askFind) return hooks.askFind(request, library);
    return CFindElementDlg::Ask(request, library, &view);
}

void Find(CKestroView& view, bool withDialog) {
    CCircuit* document = view.Document();
    if (!document) return;
    CFindRequest& request = view.Editing().FindParameters();
    if (withDialog) {
        view.Editing().Ghost().Hide();
        if (!AskFind(view, request)) return;
    }
    CPart* found = FindNextElement(*document, request, view.FindPosition());
    if (!found) {
        document->GetEnvironment().prompts.ShowMessage(kCannotFind, MessageIcon::Exclamation);
        return;
    }
    view.SetFindPosition(found);
    DropSelection(view);
    if (document->Contains(*found)) view.Selection().Add(*found);
    view.UpdateSelectionBounds();
    view.ScrollToCentre(found->GetBounds().Center());
}

// Help on the one object selected (text links aside), else the contents.
void Help(CKestroView& view) {
    CEditHooks& hooks = view.Editing().Hooks();
    if (!hooks.showHelp) return;
    QString keyword;
    const CSelection& selection = view.Selection();
    if (selection.CountedCount() == 1)
        for (const CPart* part : selection.Items())
            if (!part->IsLink()) keyword = HelpKeyword(*part);
    hooks.showHelp(keyword);
}

}  // namespace

void RegisterEditCommands(CKestroView& view) {
    CCommandMap& commands = view.Commands();
    commands.Add(
        kIdRotate, [&view] { Rotate(view); },
        [&view](CCommandState& s) {
            const EditMode mode = view.Editing().Mode();
            s.enabled = mode == EditMode::Place || mode == EditMode::Paste ||
                        (mode == EditMode::Select && HasSelection(view));
        });
    const auto exactlyOne = [&view](CCommandState& s) {
        s.enabled = view.Selection().CountedCount() == 1;
    };
    commands.Add(
        kIdFlipLeftRight, [&view] { Flip(view, 0); }, exactlyOne);
    commands.Add(
        kIdFlipTopBottom, [&view] { Flip(view, 1); }, exactlyOne);
    commands.Add(
        kIdEditCut,
        [&view] {
            Copy(view);
            Delete(view);
        },
        [&view](CCommandState& s) { s.enabled = HasSelection(view); });
    commands.Add(
        kIdEditCopy, [&view] { Copy(view); },
        [&view](CCommandState& s) { s.enabled = view.Selection().CountedCount() >= 1; });
    commands.Add(kIdEditClear, [&view] { Delete(view); });
    for (const int id : {kIdEditUndo, kIdEditRedo})
        commands.Add(
            id, [&view, id] { StepHistory(view, id); },
            [&view, id](CCommandState& s) { HistoryState(view, id, s); });
    const auto anyObject = [&view](CCommandState& s) { s.enabled = HasObjects(view); };
    commands.Add(
        kIdSelectAll, [&view] { SelectAll(view); }, anyObject);
    commands.Add(kIdSelectNext, [&view] { SelectNext(view, true); });
    commands.Add(kIdSelectPrevious, [&view] { SelectNext(view, false); });
    commands.Add(kIdEditFind, [&view] { Find(view, true); });
    commands.Add(kIdFindNext, [&view] { Find(view, false); });
    commands.Add(
        kIdCopyClipboardColor, [&view] { CopyBitmap(view, false); }, anyObject);
    commands.Add(
        kIdCopyClipboardBlackWhite, [&view] { CopyBitmap(view, true); }, anyObject);
    commands.Add(kIdHelpIndex, [&view] { Help(view); });
}

}  // namespace kestro
