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
// The same, reading the folder once for a search: `holdsFile` tells whether `fileName`
// names a file (or a link to one) in the folder itself.
std::vector<std::string> SubfoldersOnDevice(const std::string& folder, uint64_t device,
                                            const std::string& fileName, bool& holdsFile);

// The path of the file `name` in `folder` (ending in "/"): the exact name when it exists,
// else the first name in name order that differs only in the case of ASCII letters (files
// copied from systems that ignore case often change it), else the exact name.
std::string FileInFolderIgnoringCase(const std::string& folder, const std::string& name);

// Makes the folder and the folders above it that are missing; true when it exists then.
bool MakeFolders(const std::string& folder);

// The base folder of the user's own data files, ending in "/": $XDG_DATA_HOME when it
// names an absolute folder, else ~/.local/share/. Empty when there is no home folder.
std::string UserDataHome();

}  // namespace kestro
