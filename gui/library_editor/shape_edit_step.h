#pragma once

#include <string>

#include "core/library/library_edit_step.h"

namespace kestro {

class CLibElement;
class CLibraryData;

// One gesture's change of the element of a library window: made before the change,
// committed after it, as one library edit step of that element.
class CShapeEditStep {
public:
    CShapeEditStep(CLibraryData& library, const CLibElement& element, std::string label);

    // True when the element changed (the library is then marked modified).
    bool Commit() { return m_step.Commit(); }

private:
    CLibraryEditStep m_step;
};

}  // namespace kestro
