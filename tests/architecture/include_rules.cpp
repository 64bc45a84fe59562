#include "tests/architecture/include_rules.h"

#include <algorithm>
#include <map>
#include <set>

namespace kestro {

namespace {

using LayerSet = std::set<std::string, std::less<>>;

// What each layer may include besides itself. The core's layers follow the libraries
// of core/CMakeLists.txt: platform <- library <- model (objects and document, which
// refer to each other) <- schematic file, netlist, print <- hierarchy <- app.
const std::map<std::string, LayerSet, std::less<>>& AllowedLayers() {
    static const LayerSet model = {"core/platform", "core/library", "core/objects",
                                   "core/document"};
    static const auto with = [](LayerSet set, std::initializer_list<const char*> more) {
        set.insert(more.begin(), more.end());
        return set;
    };
    static const LayerSet everyCoreLayer = with(
        model, {"core/schematic_file", "core/netlist", "core/hierarchy", "core/print", "core/app"});
    static const std::map<std::string, LayerSet, std::less<>> rules = {
        {"core/platform", {"core/platform"}},
        {"core/library", {"core/platform", "core/library"}},
        {"core/objects", model},
        {"core/document", model},
        {"core/schematic_file", with(model, {"core/schematic_file"})},
        {"core/netlist", with(model, {"core/netlist"})},
        {"core/print", with(model, {"core/print"})},
        {"core/hierarchy", with(model, {"core/schematic_file", "core/hierarchy"})},
        {"core/app", everyCoreLayer},
        {"gui", with(everyCoreLayer, {"gui"})},
        {"tools", with(everyCoreLayer, {"tools"})},
    };
    return rules;
}

// The layer of an included header, named like LayerOf names sources.
std::string LayerOfHeader(std::string_view header) {
    const std::string layer = LayerOf(header);
    if (!layer.empty()) return layer;
    const size_t slash = header.find('/');
    return std::string(slash == std::string_view::npos ? header : header.substr(0, slash));
}

// Quoted and angled includes of the text with their line numbers.
struct CInclude {
    int line;
    std::string name;
    bool angled;
};

std::vector<CInclude> IncludesOf(std::string_view text) {
    std::vector<CInclude> includes;
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] != '#') continue;
        line.remove_prefix(first + 1);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (!line.starts_with("include")) continue;
        const size_t open = line.find_first_of("\"<");
        if (open == std::string_view::npos) continue;
        const char close = line[open] == '<' ? '>' : '"';
        const size_t closing = line.find(close, open + 1);
        if (closing == std::string_view::npos) continue;
        includes.push_back({lineNumber, std::string(line.substr(open + 1, closing - open - 1)),
                            line[open] == '<'});
    }
    return includes;
}

bool IsQtHeader(std::string_view name) {
    return (name.size() > 1 && name[0] == 'Q' && name[1] >= 'A' && name[1] <= 'Z') ||
           name.starts_with("Qt") || name.starts_with("qt");
}

}  // namespace

std::string LayerOf(std::string_view path) {
    if (path.starts_with("core/")) {
        const size_t slash = path.find('/', 5);
        return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
    }
    for (const char* top : {"gui/", "tools/"})
        if (path.starts_with(top)) return std::string(top, std::char_traits<char>::length(top) - 1);
    return {};
}

std::vector<std::string> IncludeViolations(std::string_view path, std::string_view text) {
    std::vector<std::string> violations;
    const std::string layer = LayerOf(path);
    const auto rule = AllowedLayers().find(layer);
    if (rule == AllowedLayers().end()) return violations;
    const std::string where = std::string(path) + ":";
    for (const CInclude& include : IncludesOf(text)) {
        const std::string at = where + std::to_string(include.line) + " includes " + include.name;
        if (include.angled) {
            if (layer.starts_with("core/") && IsQtHeader(include.name))
                violations.push_back(at + " (the core uses no Qt)");
            continue;
        }
        const std::string used = LayerOfHeader(include.name);
        if (!rule->second.contains(used))
            violations.push_back(at + " (" + layer + " may not use " + used + ")");
    }
    return violations;
}

}  // namespace kestro
