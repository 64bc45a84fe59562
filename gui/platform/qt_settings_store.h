#pragma once

#include <QString>
#include <memory>

#include "core/platform/settings_store.h"

class QSettings;

namespace kestro {

// Per-user settings in an INI file: organisation QUORVANT, application KESTRO, one group per
// section (the XDG config folder, ~/.config/QUORVANT/KESTRO.ini by default).
class CQtSettingsStore : public CSettingsStore {
public:
    CQtSettingsStore();
    // Settings in a file of one's own choosing (tests, portable set-ups).
    explicit CQtSettingsStore(const QString& iniFile);
    ~CQtSettingsStore() override;

    int32_t GetInt(const std::string& section, const std::string& key,
                   int32_t defaultValue) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void SetInt(const std::string& section, const std::string& key, int32_t value) override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;

    // Writes what is pending to the file.
    void Sync();
    QString FileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace kestro
