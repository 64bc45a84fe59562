#pragma once

#include <string>
#include <vector>

namespace kestro {

class CLibElement;
class CNetLine;

// How the library page writes attribute definitions: the aligned list lines and the
// netlist line an element would give with its default values.

// The default value as the netlist gets it: Float "%.10G", Boolean and Integer "%i",
// String in apostrophes (none with "No quotation"), each followed by a blank.
std::string DefinitionValueText(const CNetLine& definition);
// Name, type, unit and value in fixed columns, then the hidden and text-link marks.
std::string DefinitionListLine(const CNetLine& definition);
// "'NAME' 'default name' N1 N2 ... values": empty for a ground element.
std::string NetlistPreview(const CLibElement& element, const std::string& defaultName,
                           const std::vector<const CNetLine*>& definitions);

}  // namespace kestro
