#include "core/platform/path.h"

#include <filesystem>

namespace kestro {

namespace fs = std::filesystem;

namespace {

// Where the file name starts: after the last "/" (0 when there is none).
size_t FileNameStart(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// The position of the extension's dot, npos when the file name has no extension.
size_t ExtensionDot(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    return dot != std::string_view::npos && dot > FileNameStart(path) ? dot
                                                                      : std::string_view::npos;
}

}  // namespace

std::string FolderOf(std::string_view path) {
    return std::string(path.substr(0, FileNameStart(path)));
}

std::string FolderOrCurrent(std::string_view path) {
    std::string folder = FolderOf(path);
    return folder.empty() ? std::string("./") : folder;
}

std::string FileNameOf(std::string_view path) {
    const size_t separator = path.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string WithTrailingSlash(std::string_view folder) {
    std::string result(folder);
    if (!result.empty() && result.back() != '/') result += '/';
    return result;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string result = WithTrailingSlash(folder);
    result += name;
    return result;
}

std::string ExtensionOf(std::string_view path) {
    const size_t dot = ExtensionDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    std::string result(path.substr(0, ExtensionDot(path)));
    result += extension;
    return result;
}

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) return {};
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) return fs::path(path).lexically_normal().string();
    fs::path canonical = fs::weakly_canonical(absolute, error);
    if (error) return absolute.lexically_normal().string();
    return canonical.string();
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    return a == b || CanonicalPath(a) == CanonicalPath(b);
}

}  // namespace kestro
