#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/objects/serial_context.h"
#include "core/platform/byte_stream.h"
#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
class CPrompts;

// The schematic file: the raw magic 0x0022CD6E, then length-framed records: header
// (int32 major, int32 minor, 1012 reserved bytes), subcircuit interface, path, title
// texts, sheet values, simulation parameters, element name table, object count, one
// record per object (u16 kind tag and the object's fields), element counters, ".END".
// Files of the previous program start with "SCH FILE" and a zero byte.
inline constexpr uint32_t kSchematicMagic = 0x0022CD6E;
inline constexpr int32_t kSchematicVersionMajor = kObjectRecordVersionMajor;
inline constexpr int32_t kSchematicVersionMinor = kObjectRecordVersionMinor;
inline constexpr size_t kSchematicHeaderReserved = 1012;

inline constexpr const char* kInvalidSchematicFile = "Invalid file. File name : %s";
inline constexpr const char* kCannotSaveFile = "Can not save file %s";
inline constexpr const char* kCannotLoadFile = "Can not load file %s";
inline constexpr const char* kTransferOldLibraryFirst =
    "You must transfer the old library before openning an older version file.";
inline constexpr const char* kOldVersionOneFile =
    "Unable to open %s\nThis file was written by Kestro version 1.0";
inline constexpr const char* kIncompatibleOldFile = "Unable to open %s\nNone compatable file.";
inline constexpr const char* kNotASubcircuit = "%s\nis Not a subcircuit.\n";
inline constexpr const char* kNewerVersionWarning =
    "This file was created by a newer version of Kestro. There may be some incompatibility "
    "problems. You must visually inspect all data to ensure that Circuit is correct.\n\n"
    "File name: %s";

// `pattern` with its "%s" replaced by `path`.
std::string FormatFileMessage(const char* pattern, const std::string& path);

// Gives the path stored for a subcircuit sheet relative to the schematic being written
// (empty when there is none).
using CRelativePathFunction = std::function<std::string(const std::string& sheetPath)>;

// --- Writing ---------------------------------------------------------------------------
// Writes the document to `path` through a temporary file in the same folder that takes
// the file's place only after a complete write, so a failed save leaves the old file as
// it was. The document's version becomes 3.30 and its saved path `path`. Failures are
// shown through the document's prompts (the error's own message, or "Can not save
// file %s"); returns false then. Subcircuit paths are stored relative to `path` unless
// `relativePath` is given.
bool WriteSchematicFile(CCircuit& document, const std::string& path,
                        const CRelativePathFunction& relativePath = nullptr);
// Writes the same bytes to a stream; throws CIOBufferException or CFileException.
void WriteSchematic(CCircuit& document, CByteStream& out, const std::string& path,
                    const CRelativePathFunction& relativePath);

// --- Reading ---------------------------------------------------------------------------
// Reads the file into a new (empty) document: a file of zero bytes leaves it empty. The
// document's saved path is `path` before the first record is read, so its subcircuit
// instances resolve their relative paths against it; its version becomes the file's.
// Failures are shown through the document's prompts ("Invalid file. File name : %s",
// the error's own message, "Can not load file %s") and give false; the document then
// holds what was read so far.
bool ReadSchematicFile(CCircuit& document, const std::string& path);
// The same from bytes already open; `path` names them in messages.
bool ReadSchematic(CCircuit& document, CByteStream& in, const std::string& path);

// What placing a file as a subcircuit needs before the file is opened.
struct CSubcircuitHeader {
    int32_t versionMajor = kSchematicVersionMajor;
    int32_t versionMinor = kSchematicVersionMinor;
    uint16_t portCount = 20;
    CRectF symbolBox{-25, -35, 25, 35};  // a new sheet's
};
// Version, port count and symbol box of a schematic file (the defaults for an empty
// file); nothing, after the same messages as reading, when it is not a schematic.
std::optional<CSubcircuitHeader> ReadSubcircuitHeader(const std::string& path, CPrompts& prompts);
std::optional<CSubcircuitHeader> ReadSubcircuitHeader(CByteStream& in, const std::string& path,
                                                      CPrompts& prompts);

// True for files written by a later version than 3.30 (3.31, 4.0): opening them shows
// the newer-version warning (FormatFileMessage(kNewerVersionWarning, path)).
bool IsNewerFileVersion(int32_t major, int32_t minor);

}  // namespace kestro
