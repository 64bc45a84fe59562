#pragma once

#include <string>
#include <string_view>

namespace kestro {

// Path text. Paths on this system use "/"; a file name stored by another system may
// use "\" as well, which FileNameOf accepts. None of these touch the file system but
// CanonicalPath and SamePath.

// The folder of a path, ending in "/"; empty when the path holds no "/".
// "/a/b.sch" gives "/a/", "/b.sch" gives "/", "b.sch" gives "".
std::string FolderOf(std::string_view path);

// FolderOf, or "./" when the path holds no folder: the folder to open or ask about.
std::string FolderOrCurrent(std::string_view path);

// The file name part of a path: what follows the last "/" or "\" (all of it when
// there is none; empty when the path ends in a separator).
std::string FileNameOf(std::string_view path);

// `folder` ending in "/"; an empty folder stays empty (it means "no folder").
std::string WithTrailingSlash(std::string_view folder);

// `name` inside `folder` ("/a" and "b" give "/a/b"; an empty folder gives the name).
std::string JoinPath(std::string_view folder, std::string_view name);

// The extension of the file name with its dot (".sch"), empty when the name has none.
// A dot that starts the name (".hidden") or lies in a folder name is not an extension.
std::string ExtensionOf(std::string_view path);

// `path` with the extension of its file name replaced by `extension` (added when the
// name has none). "/x/a.b/run" gives "/x/a.b/run.TXT" for ".TXT".
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// The full path with symbolic links and "." / ".." resolved as far as it exists, so that
// two names of one file compare equal; empty for an empty path.
std::string CanonicalPath(const std::string& path);

// True when the two paths name the same file (compared as the file system does).
bool SamePath(const std::string& a, const std::string& b);

}  // namespace kestro
