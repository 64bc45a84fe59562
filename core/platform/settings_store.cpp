#include "core/platform/settings_store.h"

namespace kestro {

int32_t CMemorySettingsStore::GetInt(const std::string& section, const std::string& key,
                                     int32_t defaultValue) {
    const auto it = m_ints.find({section, key});
    return it == m_ints.end() ? defaultValue : it->second;
}

std::string CMemorySettingsStore::GetString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) {
    const auto it = m_strings.find({section, key});
    return it == m_strings.end() ? defaultValue : it->second;
}

void CMemorySettingsStore::SetInt(const std::string& section, const std::string& key,
                                  int32_t value) {
    m_ints[{section, key}] = value;
    m_writeOrder.push_back(section + "/" + key);
}

void CMemorySettingsStore::SetString(const std::string& section, const std::string& key,
                                     const std::string& value) {
    m_strings[{section, key}] = value;
    m_writeOrder.push_back(section + "/" + key);
}

bool CMemorySettingsStore::Has(const std::string& section, const std::string& key) const {
    return m_ints.count({section, key}) > 0 || m_strings.count({section, key}) > 0;
}

}  // namespace kestro
