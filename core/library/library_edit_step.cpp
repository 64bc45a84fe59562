// One committed change of the library per gesture, and putting a change back.
#include "core/library/library_edit_step.h"

#include <algorithm>

#include "core/library/library_data.h"
#include "core/platform/record_buffer.h"

namespace kestro {

namespace {

bool IsBuiltIn(uint32_t identifier) {
    return identifier >= CLibraryData::kControlId && identifier <= CLibraryData::kLabelId;
}

std::unique_ptr<CLibElement> ElementFromBytes(CLibraryData& library,
                                              const std::vector<uint8_t>& bytes) {
    CRecordBuffer record(BufferMode::Load);
    record.SetVersion(CLibraryData::kVersionMajor, CLibraryData::kVersionMinor);
    record.Assign(bytes.data(), bytes.size());
    auto element = std::make_unique<CLibElement>();
    element->Serialize(record, CLibElement::kNoIdentifier, library.GetShapeContext());
    return element;
}

// Puts one element into the state `bytes` describes, where it stood in `from`.
void RestoreElement(CLibraryData& library, uint32_t identifier, const std::vector<uint8_t>& from,
                    const std::vector<uint8_t>& to) {
    if (to.empty()) {
        if (!IsBuiltIn(identifier)) library.RemoveElementAt(identifier);
    } else if (from.empty() && !IsBuiltIn(identifier)) {
        library.InsertElementAt(identifier, ElementFromBytes(library, to));
    } else {
        library.ReplaceElement(identifier, ElementFromBytes(library, to));
    }
}

void Restore(CLibraryData& library, const CLibraryEditRecord& record, bool undo) {
    // Removals and insertions move later identifiers, so they are applied in the order
    // that keeps every recorded identifier valid: backwards when undoing.
    const auto apply = [&](const CLibraryElementChange& change) {
        RestoreElement(library, change.identifier, undo ? change.after : change.before,
                       undo ? change.before : change.after);
    };
    if (undo)
        std::for_each(record.elements.rbegin(), record.elements.rend(), apply);
    else
        std::for_each(record.elements.begin(), record.elements.end(), apply);
    if (record.menusBefore != record.menusAfter)
        library.GetMenus().SetBytes(undo ? record.menusBefore : record.menusAfter);
    if (record.fontsBefore && record.fontsAfter)
        library.SetFonts(undo ? *record.fontsBefore : *record.fontsAfter);
    library.SetModified();
}

CLibElement* ElementAt(CLibraryData& library, uint32_t identifier) {
    const bool exists = IsBuiltIn(identifier) || identifier < library.GetElementCount();
    return exists ? library.GetElement(identifier) : nullptr;
}

}  // namespace

std::optional<uint32_t> FirstRenumberedElement(const CLibraryEditRecord& record, bool undo) {
    std::optional<uint32_t> first;
    for (const CLibraryElementChange& change : record.elements) {
        const std::vector<uint8_t>& to = undo ? change.before : change.after;
        const std::vector<uint8_t>& from = undo ? change.after : change.before;
        const bool renumbers = !IsBuiltIn(change.identifier) && to.empty() != from.empty();
        if (renumbers && (!first || change.identifier < *first)) first = change.identifier;
    }
    return first;
}

std::vector<uint8_t> ElementRecordBytes(CLibraryData& library, uint32_t identifier) {
    CLibElement* element = ElementAt(library, identifier);
    if (!element) return {};
    CRecordBuffer record;
    record.SetVersion(CLibraryData::kVersionMajor, CLibraryData::kVersionMinor);
    element->Serialize(record, static_cast<uint16_t>(identifier), library.GetShapeContext());
    return std::vector<uint8_t>(record.Data(), record.Data() + record.Length());
}

CLibraryEditStep::CLibraryEditStep(CLibraryData& library, std::string label) : m_library(library) {
    m_record.label = std::move(label);
}

void CLibraryEditStep::TouchElement(uint32_t identifier) {
    for (const CLibraryElementChange& change : m_record.elements)
        if (change.identifier == identifier) return;
    m_record.elements.push_back({identifier, ElementRecordBytes(m_library, identifier), {}});
    m_touched.push_back(ElementAt(m_library, identifier));
}

void CLibraryEditStep::TouchMenus() {
    if (m_menusTouched) return;
    m_menusTouched = true;
    m_record.menusBefore = m_library.GetMenus().GetBytes();
}

void CLibraryEditStep::TouchFonts() {
    if (!m_record.fontsBefore) m_record.fontsBefore = m_library.GetFonts();
}

bool CLibraryEditStep::Commit() {
    if (m_committed) return false;
    m_committed = true;
    // A removed element's place is taken by the one after it (or nobody): what stands
    // there now is the same element only when it is the one touched.
    for (size_t i = 0; i < m_record.elements.size(); ++i) {
        CLibraryElementChange& change = m_record.elements[i];
        const CLibElement* now = ElementAt(m_library, change.identifier);
        const bool same = now && (now == m_touched[i] || !m_touched[i]);
        change.after =
            same ? ElementRecordBytes(m_library, change.identifier) : std::vector<uint8_t>{};
    }
    std::erase_if(m_record.elements,
                  [](const CLibraryElementChange& c) { return c.before == c.after; });
    if (m_menusTouched) m_record.menusAfter = m_library.GetMenus().GetBytes();
    if (m_record.menusBefore == m_record.menusAfter) {
        m_record.menusBefore.clear();
        m_record.menusAfter.clear();
    }
    if (m_record.fontsBefore) {
        m_record.fontsAfter = m_library.GetFonts();
        if (*m_record.fontsBefore == *m_record.fontsAfter) {
            m_record.fontsBefore.reset();
            m_record.fontsAfter.reset();
        }
    }
    if (m_record.Empty()) return false;
    m_library.SetModified();
    if (CLibraryJournal* journal = m_library.GetJournal()) journal->Record(std::move(m_record));
    return true;
}

void UndoLibraryRecord(CLibraryData& library, const CLibraryEditRecord& record) {
    Restore(library, record, true);
}

void RedoLibraryRecord(CLibraryData& library, const CLibraryEditRecord& record) {
    Restore(library, record, false);
}

}  // namespace kestro
