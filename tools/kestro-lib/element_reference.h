#pragma once

#include <string>

namespace kestro {

class CLibraryData;
struct CLibraryDocs;

// Markdown reference of the elements: per element its netlist name, description,
// terminals in netlist order and attributes in netlist order, with their meanings.
std::string WriteElementReference(CLibraryData& library, const CLibraryDocs& docs);

}  // namespace kestro
