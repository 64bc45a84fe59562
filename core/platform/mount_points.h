#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// One line of the mount table: where a file system is mounted and its type.
struct CMountPoint {
    std::string folder;
    std::string type;
};

// Parses mount table text (/proc/self/mounts form: device, folder, type, options...);
// octal escapes such as "\040" in folder names are decoded. Malformed lines are skipped.
std::vector<CMountPoint> ParseMountTable(std::string_view text);
// The mount table of this process; empty when it cannot be read.
std::vector<CMountPoint> ReadMountTable(const std::string& path = "/proc/self/mounts");

// Kernel and memory file systems (proc, sysfs, tmpfs, cgroup...) and network file
// systems (nfs, cifs, sshfs...) are not disks of this machine.
bool IsPseudoFileSystem(std::string_view type);
bool IsNetworkFileSystem(std::string_view type);

// Every mount folder, each once, in table order.
std::vector<std::string> AllMountFolders(const std::vector<CMountPoint>& table);
// The folders of local disks (neither pseudo nor network), each once, sorted.
std::vector<std::string> LocalMountFolders(const std::vector<CMountPoint>& table);

// The folder among `roots` that holds `path` (the longest that is a leading folder of
// it); "/" when none does.
std::string RootFolderOf(const std::string& path, const std::vector<std::string>& roots);

}  // namespace kestro
