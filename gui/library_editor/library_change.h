#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestro {

class CLibElement;
class CLibraryData;

// The record of an element as the library file holds it: two elements with the same
// bytes are the same to every reader.
std::vector<uint8_t> ElementRecord(CLibraryData& library, CLibElement& element);

// One gesture's change of a library element: the element's record is taken before the
// change, and Commit marks the library modified when the record differs afterwards.
class CLibraryChange {
public:
    CLibraryChange(CLibraryData& library, CLibElement& element, std::string label);
    // True when the element changed.
    bool Commit();

private:
    CLibraryData& m_library;
    CLibElement& m_element;
    std::string m_label;
    std::vector<uint8_t> m_before;
};

}  // namespace kestro
