#pragma once

#include <string>
#include <vector>

namespace kestro {

// The stored form of a subcircuit path: a relative path in a schematic uses ":" for each
// folder up and "\" between folders, so that projects move between systems.

// The path of `sheetPath` relative to the folder of `schematicPath`: one ":" for each
// folder of the schematic's folder below their longest common leading folder, then the
// rest of the sheet's path with "\" between folders. Empty when the two lie under
// different roots (mount folders among `roots`) or either path is not absolute.
// /proj/main/top.sch and /proj/lib/buck.sch give ":lib\buck.sch".
std::string RelativeSubcircuitPath(const std::string& schematicPath, const std::string& sheetPath,
                                   const std::vector<std::string>& roots);
// The same with the mount folders of this machine as roots.
std::string RelativeSubcircuitPath(const std::string& schematicPath, const std::string& sheetPath);

// Resolves a stored relative path against the folder of `schematicPath`: each leading
// ":" goes up one folder (never above "/"), the rest is appended with "\" or "/" taken
// as folder separators. Empty when `relative` is empty.
std::string ResolveSubcircuitPath(const std::string& schematicPath, const std::string& relative);

}  // namespace kestro
