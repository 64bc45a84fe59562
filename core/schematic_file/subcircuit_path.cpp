#include "core/schematic_file/subcircuit_path.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/mount_points.h"
#include "core/platform/path.h"

namespace kestro {

namespace fs = std::filesystem;

std::string RelativeSubcircuitPath(const std::string& schematicPath, const std::string& sheetPath,
                                   const std::vector<std::string>& roots) {
    if (schematicPath.empty() || schematicPath[0] != '/' || sheetPath.empty() ||
        sheetPath[0] != '/')
        return {};
    if (RootFolderOf(schematicPath, roots) != RootFolderOf(sheetPath, roots)) return {};
    const std::string folder = FolderOf(schematicPath);
    // The longest common leading part that ends at a "/".
    size_t common = 0;
    const size_t limit = std::min(folder.size(), sheetPath.size());
    for (size_t i = 0; i < limit && folder[i] == sheetPath[i]; ++i)
        if (folder[i] == '/') common = i + 1;
    const size_t up = static_cast<size_t>(
        std::count(folder.begin() + static_cast<std::ptrdiff_t>(common), folder.end(), '/'));
    std::string rest = sheetPath.substr(common);
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(up, ':') + rest;
}

std::string RelativeSubcircuitPath(const std::string& schematicPath, const std::string& sheetPath) {
    return RelativeSubcircuitPath(schematicPath, sheetPath, AllMountFolders(ReadMountTable()));
}

std::string ResolveSubcircuitPath(const std::string& schematicPath, const std::string& relative) {
    if (relative.empty()) return {};
    std::string folder = FolderOf(schematicPath);
    size_t i = 0;
    for (; i < relative.size() && relative[i] == ':'; ++i) {
        if (folder.size() <= 1) continue;  // "/" (or nothing) has no folder above it
        folder.pop_back();
        folder = FolderOf(folder);
    }
    std::string rest = relative.substr(i);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    rest.erase(0, rest.find_first_not_of('/'));
    if (rest.empty()) return {};
    return fs::path(folder + rest).lexically_normal().string();
}

}  // namespace kestro
