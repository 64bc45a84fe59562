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

// False when the folder's attributes cannot be read, it is not a folder, or its
// permission bits or its file system make it read-only for this user. The bits decide
// even for the superuser, who could write anyway: read-only is the folder's own mark.
bool IsFolderWritable(const std::string& folder);

// The system's temporary folder ($TMPDIR or /tmp), empty when there is none.
std::string SystemTempFolder();

// The netlist beside the schematic: its extension (of the file name, never of a
// folder) replaced by ".CCT". An untitled schematic or one in a read-only folder gets
// "UnTitle.CCT" in the program folder, else in the temporary folder, else in ".".
std::string NetlistFileName(const std::string& schematicPath, const CNetlistFolders& folders);

}  // namespace kestro
