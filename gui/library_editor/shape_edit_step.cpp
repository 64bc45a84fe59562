#include "gui/library_editor/shape_edit_step.h"

#include "core/library/library_data.h"

namespace kestro {

CShapeEditStep::CShapeEditStep(CLibraryData& library, const CLibElement& element, std::string label)
    : m_library(library), m_element(element), m_label(std::move(label)) {}

bool CShapeEditStep::Commit() {
    m_library.SetModified(true);
    return true;
}

}  // namespace kestro
