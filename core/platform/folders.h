#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

// Questions about folders that only the operating system can answer.

// False when the folder's attributes cannot be read, it is not a folder, or its
// permission bits or its file system make it read-only for this user. The bits decide
// even for the superuser, who could write anyway: read-only is the folder's own mark.
bool IsFolderWritable(const std::string& folder);

// The system's temporary folder ($TMPDIR or /tmp), empty when there is none.
std::string SystemTempFolder();

// The file system (device number) a folder lies on; nothing when it is not a readable
// folder.
std::optional<uint64_t> FolderDevice(const std::string& folder);

// The subfolders of `folder` that lie on `device`, by name in name order; symbolic links
// are left out (they could lead in circles). Empty when the folder cannot be read.
std::vector<std::string> SubfoldersOnDevice(const std::string& folder, uint64_t device);

}  // namespace kestro
