#include "core/hierarchy/subcircuit_search.h"

#include <algorithm>
#include <memory>

#include "core/platform/file_stream.h"
#include "core/platform/folders.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

class CFullSearchTask : public CCancellableTask {
public:
    CFullSearchTask(std::vector<std::string> roots, std::string fileName)
        : m_roots(std::move(roots)), m_fileName(std::move(fileName)) {}

    void Run(const std::atomic<bool>& cancel,
             const std::function<void(const std::string&)>& progress) override {
        m_found = FindFileInTree(m_roots, m_fileName, cancel, progress);
    }
    const std::string& Found() const { return m_found; }

private:
    std::vector<std::string> m_roots;
    std::string m_fileName;
    std::string m_found;
};

}  // namespace

std::string FindFileInTree(const std::vector<std::string>& roots, const std::string& fileName,
                           const std::atomic<bool>& cancel,
                           const std::function<void(const std::string&)>& progress) {
    if (fileName.empty() || fileName.find('/') != std::string::npos) return {};
    for (const std::string& root : roots) {
        const std::optional<uint64_t> device = FolderDevice(root);
        if (!device) continue;
        // Depth first without recursion: the stack holds folders still to search, the
        // next one on top.
        std::vector<std::string> pending{root};
        while (!pending.empty()) {
            if (cancel) return {};
            const std::string folder = std::move(pending.back());
            pending.pop_back();
            if (progress) progress(folder);
            // One reading of the folder tells both whether the file is here and where to
            // go next: the file here wins over any subfolder.
            bool holdsFile = false;
            const auto subfolders = SubfoldersOnDevice(folder, *device, fileName, holdsFile);
            if (holdsFile) return JoinPath(folder, fileName);
            for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
                pending.push_back(JoinPath(folder, *it));
        }
    }
    return {};
}

void CSubcircuitSearch::AddFolder(const std::string& folder) {
    if (std::find(m_folders.begin(), m_folders.end(), folder) == m_folders.end())
        m_folders.push_back(folder);
}

const std::vector<CMountPoint>& CSubcircuitSearch::Table() const {
    if (!m_table) m_table = ReadMountTable();
    return *m_table;
}

void CSubcircuitSearch::SetLastOpened(const std::string& documentPath) {
    if (documentPath.empty()) return;
    m_lastRoot = RootFolderOf(CanonicalPath(documentPath), AllMountFolders(Table()));
}

std::vector<std::string> CSubcircuitSearch::SearchRoots() const {
    std::vector<std::string> roots;
    if (!m_lastRoot.empty()) roots.push_back(m_lastRoot);
    for (const std::string& folder : LocalMountFolders(Table()))
        if (folder != m_lastRoot) roots.push_back(folder);
    return roots;
}

std::string CSubcircuitSearch::QuickSearch(const std::string& fileName) const {
    if (fileName.empty()) return {};
    for (const std::string& folder : m_folders) {
        const std::string candidate = JoinPath(folder, fileName);
        if (FileExists(candidate)) return candidate;
    }
    return {};
}

std::string CSubcircuitSearch::FullSearch(const std::string& fileName, CPrompts& prompts) {
    CFullSearchTask task(SearchRoots(), fileName);
    prompts.RunCancellable(kDialogTitle, fileName, task);
    const std::string& found = task.Found();
    if (!found.empty()) {
        std::string folder = FolderOf(found);
        if (folder.size() > 1) folder.pop_back();
        AddFolder(folder);
    }
    return found;
}

}  // namespace kestro
