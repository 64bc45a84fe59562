#pragma once

#include <string>

namespace kestro {

class CCircuit;
struct CSettings;

// The sheet as the editor draws it, on an SVG page fitted to its objects.
std::string SheetPreviewSvg(const CCircuit& sheet, const CSettings& settings);

}  // namespace kestro
