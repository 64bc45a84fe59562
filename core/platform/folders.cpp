#include "core/platform/folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/platform/file_stream.h"
#include "core/platform/path.h"

namespace kestro {

namespace {

bool InGroup(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 &&
           std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// The write bit of the class (owner, group, others) this user falls in.
bool ModeGrantsWrite(const struct stat& st) {
    if (st.st_uid == ::geteuid()) return (st.st_mode & S_IWUSR) != 0;
    if (InGroup(st.st_gid)) return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

bool OnReadOnlyFileSystem(const std::string& folder) {
    struct statvfs vfs {};
    return ::statvfs(folder.c_str(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY) != 0;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_dir) return entry->pw_dir;
    return {};
}

}  // namespace

bool IsFolderWritable(const std::string& folder) {
    const std::string name = folder.empty() ? "." : folder;
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (!ModeGrantsWrite(st) || OnReadOnlyFileSystem(name)) return false;
    // ACLs and supplementary groups: ask the system as well (the superuser always passes).
    return ::access(name.c_str(), W_OK) == 0;
}

std::string SystemTempFolder() {
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    return error ? std::string() : temp.string();
}

std::optional<uint64_t> FolderDevice(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(st.st_dev);
}

std::vector<std::string> SubfoldersOnDevice(const std::string& folder, uint64_t device) {
    bool unused = false;
    return SubfoldersOnDevice(folder, device, {}, unused);
}

std::vector<std::string> SubfoldersOnDevice(const std::string& folder, uint64_t device,
                                            const std::string& fileName, bool& holdsFile) {
    holdsFile = false;
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        // A folder that may be passed but not listed can still hold the file.
        holdsFile = !fileName.empty() && FileExists(JoinPath(folder, fileName));
        return names;
    }
    const int fd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!fileName.empty() && name == fileName && entry->d_type != DT_DIR) {
            struct stat target {};
            holdsFile = holdsFile ||
                        (::fstatat(fd, entry->d_name, &target, 0) == 0 && S_ISREG(target.st_mode));
            continue;
        }
        if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN) continue;
        struct stat st {};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(st.st_mode) && static_cast<uint64_t>(st.st_dev) == device)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
bool SameIgnoringCase(const std::string& a, const std::string& b) {
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}
}  // namespace

std::string FileInFolderIgnoringCase(const std::string& folder, const std::string& name) {
    const std::string exact = folder + name;
    struct stat st {};
    if (::stat(exact.c_str(), &st) == 0) return exact;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            ::closedir);
    if (!dir) return exact;
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir.get()))
        if (SameIgnoringCase(entry->d_name, name)) matches.push_back(entry->d_name);
    if (matches.empty()) return exact;
    std::sort(matches.begin(), matches.end());
    return folder + matches.front();
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::string UserDataHome() {
    // The base directory rules of freedesktop.org: a relative value is to be ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return WithTrailingSlash(data);
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : WithTrailingSlash(home) + ".local/share/";
}

}  // namespace kestro
