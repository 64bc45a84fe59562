#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/mount_points.h"

namespace kestro {

class CPrompts;

// Looks for `fileName` under each root in turn, depth first: in a folder the folder
// followed by the file name is tried first, then its subfolders in name order. Symbolic
// links to folders are not followed (they could loop), folders that cannot be read are
// skipped, and a search stays on the file system of its root (other local disks are
// roots of their own). Before each folder `progress` is told its path and `cancel` is
// checked, so a cancel ends the search after the folder in progress. Returns the path
// found, or empty.
std::string FindFileInTree(const std::vector<std::string>& roots, const std::string& fileName,
                           const std::atomic<bool>& cancel,
                           const std::function<void(const std::string&)>& progress);

// The subcircuit file search of one program run: the folders where files were found
// before (the quick search) and the disks searched when that fails (the full search,
// which runs on a worker thread under the "Searching for subcircuit" dialog).
class CSubcircuitSearch {
public:
    static constexpr const char* kDialogTitle = "Searching for subcircuit";

    // Folders where subcircuit files were found, in the order they were found.
    const std::vector<std::string>& GetFolders() const { return m_folders; }
    // Appends a folder (once).
    void AddFolder(const std::string& folder);

    // The mount table the disks are taken from (the system's unless set).
    void SetMountTable(std::vector<CMountPoint> table) { m_table = std::move(table); }
    // Remembers the root of a document the user opened: its disk is searched first.
    void SetLastOpened(const std::string& documentPath);
    const std::string& GetLastRoot() const { return m_lastRoot; }
    // The root of the last opened document, then the local disks in name order, each once.
    std::vector<std::string> SearchRoots() const;

    // The first remembered folder holding `fileName`, or empty.
    std::string QuickSearch(const std::string& fileName) const;
    // Searches the roots on a worker thread through `prompts` (a modal dialog with the
    // file name, the folder being searched and Cancel). A file found has its folder
    // remembered. Empty when not found or cancelled.
    std::string FullSearch(const std::string& fileName, CPrompts& prompts);

private:
    const std::vector<CMountPoint>& Table() const;

    std::vector<std::string> m_folders;
    std::string m_lastRoot;
    mutable std::optional<std::vector<CMountPoint>> m_table;
};

}  // namespace kestro
