#include "gui/platform/qt_settings_store.h"

#include <QSettings>

namespace kestro {

namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

}  // namespace

CQtSettingsStore::CQtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("QUORVANT"),
                                             QStringLiteral("KESTRO"))) {}

CQtSettingsStore::CQtSettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

CQtSettingsStore::~CQtSettingsStore() {
    m_settings->sync();
}

int32_t CQtSettingsStore::GetInt(const std::string& section, const std::string& key,
                                 int32_t defaultValue) {
    const QVariant value = m_settings->value(KeyOf(section, key));
    bool ok = false;
    const int number = value.toInt(&ok);
    // A value edited by hand into something that is no number keeps the default.
    return ok ? number : defaultValue;
}

std::string CQtSettingsStore::GetString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) {
    const QVariant value = m_settings->value(KeyOf(section, key));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

void CQtSettingsStore::SetInt(const std::string& section, const std::string& key, int32_t value) {
    m_settings->setValue(KeyOf(section, key), value);
}

void CQtSettingsStore::SetString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    m_settings->setValue(KeyOf(section, key), QString::fromStdString(value));
}

void CQtSettingsStore::Sync() {
    m_settings->sync();
}

QString CQtSettingsStore::FileName() const {
    return m_settings->fileName();
}

}  // namespace kestro
