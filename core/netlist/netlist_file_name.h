#pragma once

#include <string>

namespace kestro {

// Where a netlist may go when its schematic's own folder cannot take it.
struct CNetlistFolders {
    std::string programFolder;
    // The system's temporary folder; SystemTempFolder() when left empty.
    std::string tempFolder;
};

inline constexpr const char* kUntitledNetlist = "UnTitle.CCT";

// The netlist beside the schematic: its extension (of the file name, never of a
// folder) replaced by ".CCT". An untitled schematic or one in a read-only folder gets
// "UnTitle.CCT" in the program folder, else in the temporary folder, else in ".".
std::string NetlistFileName(const std::string& schematicPath, const CNetlistFolders& folders);

}  // namespace kestro
