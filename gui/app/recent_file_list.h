#pragma once

#include <string>
#include <vector>

namespace kestro {

class CSettingsStore;

// The recently used files, newest first, at most four; kept in the settings store under
// "Recent File List" as "File1" to "File4".
class CRecentFileList {
public:
    static constexpr size_t kSize = 4;
    static constexpr const char* kSection = "Recent File List";

    void Read(CSettingsStore& store);
    void Write(CSettingsStore& store) const;

    // Puts the path first (an entry of the same path moves up).
    void Add(const std::string& path);
    void Remove(size_t index);
    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};

}  // namespace kestro
