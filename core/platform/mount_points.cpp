#include "core/platform/mount_points.h"

#include <algorithm>
#include <array>

#include "core/platform/byte_stream.h"
#include "core/platform/file_stream.h"
#include "core/platform/path.h"

namespace kestro {

namespace {

// "\040" -> " ": the mount table escapes blanks, tabs, newlines and backslashes.
std::string DecodeOctalEscapes(std::string_view field) {
    const auto octal = [&](size_t k) {
        return k < field.size() && field[k] >= '0' && field[k] <= '7';
    };
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                     (field[i + 3] - '0'));
            i += 3;
            continue;
        }
        out += field[i];
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

bool Listed(std::string_view type, const auto& names) {
    return std::find(std::begin(names), std::end(names), type) != std::end(names);
}

}  // namespace

std::vector<CMountPoint> ParseMountTable(std::string_view text) {
    std::vector<CMountPoint> table;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const auto fields = SplitFields(text.substr(start, end - start));
        start = end + 1;
        if (fields.size() < 3) continue;
        std::string folder = DecodeOctalEscapes(fields[1]);
        if (folder.empty() || folder[0] != '/') continue;
        table.push_back({std::move(folder), std::string(fields[2])});
    }
    return table;
}

std::vector<CMountPoint> ReadMountTable(const std::string& path) {
    try {
        return ParseMountTable(ReadWholeFile(path));
    } catch (const CFileException&) {
        return {};
    }
}

bool IsPseudoFileSystem(std::string_view type) {
    static constexpr std::array<std::string_view, 27> kPseudo = {
        "proc",        "sysfs",           "devtmpfs",   "devpts",   "tmpfs",     "ramfs",
        "cgroup",      "cgroup2",         "securityfs", "debugfs",  "tracefs",   "pstore",
        "bpf",         "configfs",        "fusectl",    "mqueue",   "hugetlbfs", "autofs",
        "binfmt_misc", "rpc_pipefs",      "nsfs",       "efivarfs", "squashfs",  "selinuxfs",
        "nfsd",        "fuse.gvfsd-fuse", "fuse.portal"};
    return Listed(type, kPseudo);
}

bool IsNetworkFileSystem(std::string_view type) {
    static constexpr std::array<std::string_view, 17> kNetwork = {
        "nfs",    "nfs4",           "cifs",     "smb3", "smbfs", "ncpfs",      "9p",
        "ceph",   "glusterfs",      "afs",      "coda", "davfs", "fuse.sshfs", "fuse.rclone",
        "lustre", "fuse.glusterfs", "fuse.s3fs"};
    return Listed(type, kNetwork);
}

std::vector<std::string> AllMountFolders(const std::vector<CMountPoint>& table) {
    std::vector<std::string> folders;
    for (const auto& mount : table)
        if (std::find(folders.begin(), folders.end(), mount.folder) == folders.end())
            folders.push_back(mount.folder);
    return folders;
}

std::vector<std::string> LocalMountFolders(const std::vector<CMountPoint>& table) {
    std::vector<std::string> folders;
    for (const auto& mount : table) {
        if (IsPseudoFileSystem(mount.type) || IsNetworkFileSystem(mount.type)) continue;
        if (std::find(folders.begin(), folders.end(), mount.folder) == folders.end())
            folders.push_back(mount.folder);
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

std::string RootFolderOf(const std::string& path, const std::vector<std::string>& roots) {
    std::string best = "/";
    for (const auto& root : roots) {
        // Compared with a trailing "/", so "/mnt/a" does not hold "/mnt/ab".
        const std::string folder = WithTrailingSlash(root);
        if (path.compare(0, folder.size(), folder) == 0 &&
            folder.size() > WithTrailingSlash(best).size())
            best = root;
    }
    return best;
}

}  // namespace kestro
