#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kestro {

// Per-user settings: integer and string values by section and key.
class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;
    virtual int32_t GetInt(const std::string& section, const std::string& key,
                           int32_t defaultValue) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) = 0;
    virtual void SetInt(const std::string& section, const std::string& key, int32_t value) = 0;
    virtual void SetString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// Settings kept in memory, remembering the order in which keys were written.
class CMemorySettingsStore : public CSettingsStore {
public:
    int32_t GetInt(const std::string& section, const std::string& key,
                   int32_t defaultValue) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void SetInt(const std::string& section, const std::string& key, int32_t value) override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;

    bool Has(const std::string& section, const std::string& key) const;
    // "SECTION/KEY" of every write, in order.
    const std::vector<std::string>& WriteOrder() const { return m_writeOrder; }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, int32_t> m_ints;
    std::map<Key, std::string> m_strings;
    std::vector<std::string> m_writeOrder;
};

}  // namespace kestro
