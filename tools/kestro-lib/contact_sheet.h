#pragma once

#include <string>

namespace kestro {

class CLibraryData;

// An SVG page with every element's symbol under its netlist name, with the symbol
// rectangle and the numbered terminals: the built-in elements first, then the regular
// elements in identifier order.
std::string DrawContactSheet(CLibraryData& library);

}  // namespace kestro
