#include "core/library/library_history.h"

#include "core/library/library_data.h"

namespace kestro {

namespace {

size_t RecordMemory(const CLibraryEditRecord& record) {
    size_t bytes = sizeof(CLibraryEditRecord) + record.label.capacity();
    for (const CLibraryElementChange& change : record.elements)
        bytes += sizeof change + change.before.capacity() + change.after.capacity();
    bytes += record.menusBefore.capacity() + record.menusAfter.capacity();
    if (record.fontsBefore) bytes += 2 * sizeof(CLibraryFonts);
    return bytes;
}

}  // namespace

CLibraryHistory::CLibraryHistory(size_t memoryBudget) : m_steps(memoryBudget, kMinimumSteps) {}

CLibraryHistory::~CLibraryHistory() {
    Detach();
}

void CLibraryHistory::Attach(CLibraryData& library) {
    Detach();
    m_library = &library;
    library.SetJournal(this);
    if (library.IsModified()) m_steps.ForgetSaved();
}

void CLibraryHistory::Detach() {
    if (m_library && m_library->GetJournal() == this) m_library->SetJournal(nullptr);
    m_library = nullptr;
    Clear();
}

std::string CLibraryHistory::UndoName() const {
    return CanUndo() ? m_steps.Previous().label : std::string();
}

std::string CLibraryHistory::RedoName() const {
    return CanRedo() ? m_steps.Next().label : std::string();
}

std::optional<uint32_t> CLibraryHistory::FirstRenumberedByUndo() const {
    return CanUndo() ? FirstRenumberedElement(m_steps.Previous(), true) : std::nullopt;
}

std::optional<uint32_t> CLibraryHistory::FirstRenumberedByRedo() const {
    return CanRedo() ? FirstRenumberedElement(m_steps.Next(), false) : std::nullopt;
}

// A library found unmodified is in its saved state.
void CLibraryHistory::NoteSavedState() {
    if (!m_library->IsModified()) m_steps.NoteSaved();
}

bool CLibraryHistory::Undo() {
    if (!CanUndo()) return false;
    NoteSavedState();
    UndoLibraryRecord(*m_library, m_steps.StepBack());
    AfterMove();
    return true;
}

bool CLibraryHistory::Redo() {
    if (!CanRedo()) return false;
    NoteSavedState();
    RedoLibraryRecord(*m_library, m_steps.StepForward());
    AfterMove();
    return true;
}

void CLibraryHistory::AfterMove() {
    m_library->SetModified(!m_steps.AtSavedState());
}

void CLibraryHistory::Clear() {
    m_steps.Clear();
}

void CLibraryHistory::Record(CLibraryEditRecord record) {
    if (!m_library) return;
    const size_t memory = RecordMemory(record);
    m_steps.Push(std::move(record), memory);
}

}  // namespace kestro
