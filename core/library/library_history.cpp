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

CLibraryHistory::CLibraryHistory(size_t memoryBudget) : m_budget(memoryBudget) {}

CLibraryHistory::~CLibraryHistory() {
    Detach();
}

void CLibraryHistory::Attach(CLibraryData& library) {
    Detach();
    m_library = &library;
    library.SetJournal(this);
    m_savedPosition = library.IsModified() ? std::nullopt : std::optional<size_t>(0);
}

void CLibraryHistory::Detach() {
    if (m_library && m_library->GetJournal() == this) m_library->SetJournal(nullptr);
    m_library = nullptr;
    Clear();
}

std::string CLibraryHistory::UndoName() const {
    return CanUndo() ? m_steps[m_position - 1].record.label : std::string();
}

std::string CLibraryHistory::RedoName() const {
    return CanRedo() ? m_steps[m_position].record.label : std::string();
}

void CLibraryHistory::NoteSavedState() {
    if (!m_library->IsModified()) m_savedPosition = m_position;
}

bool CLibraryHistory::Undo() {
    if (!CanUndo()) return false;
    NoteSavedState();
    UndoLibraryRecord(*m_library, m_steps[--m_position].record);
    AfterMove();
    return true;
}

bool CLibraryHistory::Redo() {
    if (!CanRedo()) return false;
    NoteSavedState();
    RedoLibraryRecord(*m_library, m_steps[m_position++].record);
    AfterMove();
    return true;
}

void CLibraryHistory::AfterMove() {
    m_library->SetModified(m_savedPosition != m_position);
}

void CLibraryHistory::Clear() {
    m_steps.clear();
    m_position = 0;
    m_memory = 0;
    m_savedPosition = 0;
}

void CLibraryHistory::Record(CLibraryEditRecord record) {
    if (!m_library) return;
    // The steps that could have been redone go, and with them a saved state among them.
    if (m_savedPosition && *m_savedPosition > m_position) m_savedPosition.reset();
    while (m_steps.size() > m_position) {
        m_memory -= m_steps.back().memory;
        m_steps.pop_back();
    }
    CStep step{std::move(record), 0};
    step.memory = RecordMemory(step.record);
    m_memory += step.memory;
    m_steps.push_back(std::move(step));
    m_position = m_steps.size();
    DropOldSteps();
}

void CLibraryHistory::DropOldSteps() {
    while (m_memory > m_budget && m_steps.size() > kMinimumSteps) {
        m_memory -= m_steps.front().memory;
        m_steps.pop_front();
        --m_position;
        if (m_savedPosition) {
            if (*m_savedPosition == 0)
                m_savedPosition.reset();
            else
                --*m_savedPosition;
        }
    }
}

}  // namespace kestro
