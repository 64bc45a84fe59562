#pragma once

#include <cstdint>
#include <vector>

namespace kestro {

class CLibElement;
class CLibraryData;

// The record of an element as the library file holds it (with the element's own
// identifier): two elements with the same bytes are the same to every reader, whether
// or not the element belongs to the library.
std::vector<uint8_t> ElementRecord(CLibraryData& library, CLibElement& element);

}  // namespace kestro
