#pragma once

#include <cstdint>
#include <string>

namespace kestro {

class CCircuit;
class CPart;

// What Find looks for: objects of one kind tag, of one library element unless it is -1,
// whose name matches a pattern unless it is empty.
struct CFindRequest {
    uint16_t kind = 1;
    int element = -1;
    std::string pattern;
};

// The name patterns of Find, on a text already upper-cased (each pattern character is
// upper-cased before it is compared): "?" and "!" match one character; "*" at the end
// matches the rest, elsewhere it skips to the first occurrence of the character after
// it (later occurrences are not tried); any other character must be equal; the text must
// end where the pattern ends. An empty pattern matches anything.
bool MatchNamePattern(const std::string& upperText, const std::string& pattern);

// Walks the objects list circularly from the object after `after` (the first object when
// it is null or no longer on the sheet) until it is back there; the first match, or null.
// An object without a name passes the pattern.
CPart* FindNextElement(const CCircuit& sheet, const CFindRequest& request, const CPart* after);

}  // namespace kestro
