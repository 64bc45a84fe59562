#pragma once

#include <string>

namespace kestro {

class CLibElement;
class CLibraryData;

// One gesture's change of an element being edited in a library window: made before the
// change, committed after it. Committing marks the library modified.
class CShapeEditStep {
public:
    CShapeEditStep(CLibraryData& library, const CLibElement& element, std::string label);

    const std::string& Label() const { return m_label; }
    // True when the library took the change.
    bool Commit();

private:
    CLibraryData& m_library;
    const CLibElement& m_element;
    std::string m_label;
};

}  // namespace kestro
