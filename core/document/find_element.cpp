#include "core/document/find_element.h"

#include "core/document/circuit.h"
#include "core/objects/sim_part.h"

namespace kestro {

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperText(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        c = Upper(c);
    return upper;
}

bool Matches(const CPart& part, const CFindRequest& request) {
    if (part.GetTag() != request.kind) return false;
    if (request.element != -1) {
        const CSimPart* element = part.AsSimPart();
        if (!element || element->GetElementId() != request.element) return false;
    }
    if (request.pattern.empty()) return true;
    const std::string name = part.GetName();
    return name.empty() || MatchNamePattern(UpperText(name), request.pattern);
}

}  // namespace

bool MatchNamePattern(const std::string& text, const std::string& pattern) {
    if (pattern.empty()) return true;
    size_t t = 0;
    for (size_t p = 0; p < pattern.size(); ++p) {
        const char wanted = Upper(pattern[p]);
        if (wanted == '*') {
            if (p + 1 == pattern.size()) return true;
            // Skip to the first occurrence of the next pattern character, and no further.
            const char next = Upper(pattern[p + 1]);
            const size_t found = text.find(next, t);
            if (found == std::string::npos) return false;
            t = found;
            continue;
        }
        if (t >= text.size()) return false;
        if (wanted != '?' && wanted != '!' && wanted != text[t]) return false;
        ++t;
    }
    return t == text.size();
}

CPart* FindNextElement(const CCircuit& sheet, const CFindRequest& request, const CPart* after) {
    const size_t count = sheet.GetObjectCount();
    if (count == 0) return nullptr;
    if (after && !sheet.Contains(*after)) after = nullptr;
    CPart* part = sheet.NextObject(after);
    for (size_t i = 0; i < count; ++i, part = sheet.NextObject(part))
        if (Matches(*part, request)) return part;
    return nullptr;
}

}  // namespace kestro
