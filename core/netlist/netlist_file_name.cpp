#include "core/netlist/netlist_file_name.h"

#include "core/platform/folders.h"
#include "core/platform/path.h"

namespace kestro {

std::string NetlistFileName(const std::string& schematicPath, const CNetlistFolders& folders) {
    if (!schematicPath.empty() && IsFolderWritable(FolderOrCurrent(schematicPath)))
        return ReplaceExtension(schematicPath, ".CCT");
    std::string folder = folders.programFolder;
    if (folder.empty() || !IsFolderWritable(folder)) {
        folder = folders.tempFolder.empty() ? SystemTempFolder() : folders.tempFolder;
        if (folder.empty()) folder = ".";
    }
    return WithTrailingSlash(folder) + kUntitledNetlist;
}

}  // namespace kestro
