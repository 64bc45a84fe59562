#pragma once

#include <optional>
#include <string>

#include "core/schematic_file/schematic_file.h"

namespace kestro {

// Files of the previous program ("SCH FILE" and a zero byte, then a 2-byte value and a
// 128-byte header block, the symbol box as four i16 and the i16 port count, then more
// fields and raw items). `in` stands after the 9-byte marker. Only the checks that need
// no conversion are made: the old library must have been transferred (for opening), files
// of version 1.0 are refused, and a sheet without ports is not a subcircuit; anything else
// is reported as not compatible. Both show their message through the prompts and fail.
bool ReadOldSchematic(CCircuit& document, CByteStream& in, const std::string& path);
std::optional<CSubcircuitHeader> ReadOldSubcircuitHeader(CByteStream& in, const std::string& path,
                                                         CPrompts& prompts);

}  // namespace kestro
