#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kestro {

class CCircuit;
class CPart;

// Options word of an object record: a file, or the in-memory copy form of the internal
// clipboard and the deletion buffer (no relative subcircuit path is computed).
inline constexpr uint32_t kSerialFile = 0;
inline constexpr uint32_t kSerialCopy = 1;

// What an object's Serialize needs besides the buffer.
struct CSerialContext {
    // The document being read or written: ports, labels and subcircuits attach to it.
    CCircuit* document = nullptr;
    // While a file is read: stored element identifier -> current one (65535: gone).
    // Null: identifiers are taken as stored (the same library, as in the clipboard).
    const std::vector<uint16_t>* elementMap = nullptr;
    uint32_t options = kSerialFile;
    // Writing a file: the subcircuit path relative to the schematic being written.
    // Null (or the copy form) writes an empty relative path.
    std::function<std::string(const std::string& fullPath)> relativePath;
};

}  // namespace kestro
