#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace kestro {

class CCircuit;
class CLibElement;

// A library element's definition identifiers in order: what its placed elements' values
// belonged to.
std::vector<uint32_t> DefinitionIds(const CLibElement& element);

// After library elements changed: the placed elements of `sheet` whose library element is
// in `changed` (identifier -> its definition identifiers before the change) follow it.
// Their terminals are joined at the new positions, each value and text link stays with
// the definition of its identifier (links of removed definitions go), and new
// definitions start at their defaults. One edit step; the number of elements that
// followed.
size_t FollowLibraryChanges(CCircuit& sheet,
                            const std::map<uint16_t, std::vector<uint32_t>>& changed);

}  // namespace kestro
