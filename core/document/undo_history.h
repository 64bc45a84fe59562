#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/document/edit_step.h"
#include "core/platform/step_list.h"

namespace kestro {

// The undo history of one sheet: every committed edit step, undone and redone whole.
// A new edit after an undo drops the steps that could have been redone. The history
// is bounded by an estimate of the memory its records hold; the oldest steps go first,
// but never the newest kMinimumSteps (nor the newest one). Undoing or redoing back to
// the state of the last save clears the modified mark; any other state sets it. The
// saved state is the one in which the sheet was last found unmodified (before an edit or
// an undo), so saves need not report here; MarkSaved says so at once.
//
// The history holds plain pointers to the sheet's objects: it must be cleared whenever
// the sheet's contents are replaced (reload), and detached before the sheet goes.
class CUndoHistory : public CEditJournal {
public:
    static constexpr size_t kMinimumSteps = 1000;
    static constexpr size_t kDefaultBudget = size_t(256) << 20;

    explicit CUndoHistory(size_t memoryBudget = kDefaultBudget);
    virtual ~CUndoHistory();
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // Starts recording the sheet's edits (an empty history, the sheet's state now as the
    // saved one unless it is modified). Detach stops and forgets.
    void Attach(CCircuit& sheet);
    void Detach();
    CCircuit* GetSheet() const { return m_sheet; }
    // The history recording the sheet's edits, if one is.
    static CUndoHistory* Of(const CCircuit& sheet);

    bool CanUndo() const;
    bool CanRedo() const;
    // What the next Undo (Redo) would take back (bring again): "Move", "Delete", ...;
    // empty when there is none.
    std::string UndoName() const;
    std::string RedoName() const;
    // False when there is nothing to undo (redo), or an edit is open on the sheet.
    bool Undo();
    bool Redo();
    // The objects the last Undo or Redo brought back or changed that are on the sheet
    // now, elements before their text links: what the user wants to see selected.
    const std::vector<CPart*>& LastStepObjects() const { return m_lastObjects; }

    // The sheet was saved (or reloaded): its present state is the saved one.
    void MarkSaved();
    // Forgets every step (reload, close); the present state counts as saved.
    void Clear();

    size_t UndoCount() const { return m_steps.UndoCount(); }
    size_t RedoCount() const { return m_steps.RedoCount(); }
    // The estimated memory the steps hold.
    size_t MemoryUse() const { return m_steps.MemoryUse(); }

    // CEditJournal
    void OnEditCommitted(CCircuit& document, CEditRecord record) override;
    void OnContentsDiscarded(CCircuit& document) override;

private:
    struct CStep;

    void NoteSavedState();
    void AfterMove();
    void NoteStepObjects(const CStep& step);

    CCircuit* m_sheet = nullptr;
    CStepList<std::unique_ptr<CStep>> m_steps;
    std::vector<CPart*> m_lastObjects;
};

}  // namespace kestro
