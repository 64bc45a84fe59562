#include "gui/library_editor/shape_edit_step.h"

#include "core/library/lib_element.h"

namespace kestro {

CShapeEditStep::CShapeEditStep(CLibraryData& library, const CLibElement& element, std::string label)
    : m_step(library, std::move(label)) {
    m_step.TouchElement(element.GetIdentifier());
}

}  // namespace kestro
