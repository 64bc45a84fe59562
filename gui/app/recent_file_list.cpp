#include "gui/app/recent_file_list.h"

#include <algorithm>

#include "core/platform/settings_store.h"

namespace kestro {

namespace {

std::string Key(size_t index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

void CRecentFileList::Read(CSettingsStore& store) {
    m_entries.clear();
    for (size_t i = 0; i < kSize; ++i) {
        const std::string path = store.GetString(kSection, Key(i), "");
        if (!path.empty()) m_entries.push_back(path);
    }
}

void CRecentFileList::Write(CSettingsStore& store) const {
    for (size_t i = 0; i < kSize; ++i)
        store.SetString(kSection, Key(i), i < m_entries.size() ? m_entries[i] : std::string());
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize) m_entries.resize(kSize);
}

void CRecentFileList::Remove(size_t index) {
    if (index < m_entries.size()) m_entries.erase(m_entries.begin() + static_cast<long>(index));
}

}  // namespace kestro
