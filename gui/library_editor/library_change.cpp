#include "gui/library_editor/library_change.h"

#include "core/library/library_data.h"
#include "core/platform/record_buffer.h"

namespace kestro {

std::vector<uint8_t> ElementRecord(CLibraryData& library, CLibElement& element) {
    CRecordBuffer record;
    record.SetVersion(CLibraryData::kVersionMajor, CLibraryData::kVersionMinor);
    element.Serialize(record, element.GetIdentifier(), library.GetShapeContext());
    return {record.Data(), record.Data() + record.Length()};
}

CLibraryChange::CLibraryChange(CLibraryData& library, CLibElement& element, std::string label)
    : m_library(library),
      m_element(element),
      m_label(std::move(label)),
      m_before(ElementRecord(library, element)) {}

bool CLibraryChange::Commit() {
    if (ElementRecord(m_library, m_element) == m_before) return false;
    m_library.SetModified(true);
    return true;
}

}  // namespace kestro
