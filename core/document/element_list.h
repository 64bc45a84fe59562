#pragma once

#include <string>
#include <vector>

namespace kestro {

class CCircuit;
class CSimPart;

// One row of a sheet's element list: the library element's netlist name, the instance
// name and the shown values.
struct CElementListRow {
    std::string netlistName;
    std::string name;
    std::string value;
    const CSimPart* element = nullptr;
};

inline constexpr const char* kListWriteFailed = "Failed to write file\n";

// The elements of the sheet whose library element is shown in dialogs, in the sheet's
// object order.
std::vector<CElementListRow> ElementListRows(const CCircuit& sheet);
// Each row's three texts, each followed by a tab, and a line feed after the row.
std::string ElementListText(const std::vector<CElementListRow>& rows);
// Writes the text as the whole file (an old file is replaced only once the new one is
// complete). Empty on success, else what the user is told: the system's reason when the
// file cannot be made, "Failed to write file\n" when writing it fails.
std::string SaveElementList(const std::string& path, const std::string& text);

}  // namespace kestro
