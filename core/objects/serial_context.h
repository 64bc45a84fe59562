#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestro {

class CCircuit;
class CPart;

// The version of the object records written now. Files carry it in their header; the
// in-memory copies (internal clipboard, deletion buffer) carry it too, or they would be
// read back as the oldest records and lose what later versions added.
inline constexpr uint16_t kObjectRecordVersionMajor = 3;
inline constexpr uint16_t kObjectRecordVersionMinor = 30;

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
    // The copy form: sheets never saved that copied instances use. The buffer keeps them
    // alive and the record names one by its place here ("*0", "*1"... as the relative
    // path, which the copy form does not otherwise use), so a pasted or restored instance
    // gets its own sheet back instead of an empty one.
    std::vector<std::shared_ptr<CCircuit>>* unsavedSheets = nullptr;
};

}  // namespace kestro
