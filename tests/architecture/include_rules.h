#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// The layer a source file belongs to, from its path relative to the source root:
// "core/document/index/x.h" is in "core/document"; "gui/views/x.cpp" in "gui".
// Empty for files outside the layered folders.
std::string LayerOf(std::string_view relativePath);

// Every include of `text` that the layer of `relativePath` may not use, one message
// each ("core/library/x.cpp:3 includes core/document/circuit.h (a higher layer)").
std::vector<std::string> IncludeViolations(std::string_view relativePath, std::string_view text);

}  // namespace kestro
