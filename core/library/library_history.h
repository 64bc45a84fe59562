#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/library/library_edit_step.h"
#include "core/platform/step_list.h"

namespace kestro {

class CLibraryData;

// The undo history of the element library: every committed library change (a symbol,
// attribute definitions, the menu tree, the fonts) undone and redone whole, as the
// sheets' histories do it. A new change after an undo drops the steps that could have
// been redone. The history is bounded by the bytes its records hold; the oldest steps go
// first, but never the newest kMinimumSteps. Undoing or redoing back to the state of the
// last save clears the library's modified mark; the library's owner says when it saved
// (MarkSaved), and a library found unmodified before an undo or redo is saved too.
class CLibraryHistory : public CLibraryJournal {
public:
    static constexpr size_t kMinimumSteps = 1000;
    static constexpr size_t kDefaultBudget = size_t(128) << 20;

    explicit CLibraryHistory(size_t memoryBudget = kDefaultBudget);
    ~CLibraryHistory() override;
    CLibraryHistory(const CLibraryHistory&) = delete;
    CLibraryHistory& operator=(const CLibraryHistory&) = delete;

    // Starts recording the library's changes with an empty history; Detach stops.
    void Attach(CLibraryData& library);
    void Detach();

    bool CanUndo() const { return m_library && m_steps.CanUndo(); }
    bool CanRedo() const { return m_library && m_steps.CanRedo(); }
    // The label of what Undo (Redo) would take back (bring again); empty when nothing.
    std::string UndoName() const;
    std::string RedoName() const;
    bool Undo();
    bool Redo();
    // The lowest element identifier that Undo (Redo) would take out of the table or put
    // in (see FirstRenumberedElement); nothing when there is no such step.
    std::optional<uint32_t> FirstRenumberedByUndo() const;
    std::optional<uint32_t> FirstRenumberedByRedo() const;

    // The library was saved: its present state is the saved one.
    void MarkSaved() { m_steps.NoteSaved(); }
    // Forgets every step (the library was read again); the present state counts as saved.
    void Clear();

    size_t UndoCount() const { return m_steps.UndoCount(); }
    size_t RedoCount() const { return m_steps.RedoCount(); }
    size_t MemoryUse() const { return m_steps.MemoryUse(); }

    // CLibraryJournal
    void Record(CLibraryEditRecord record) override;

private:
    void NoteSavedState();
    void AfterMove();

    CLibraryData* m_library = nullptr;
    CStepList<CLibraryEditRecord> m_steps;
};

}  // namespace kestro
