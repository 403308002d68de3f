#pragma once

#include <QString>

// The small per-user settings store (the operator's address for the summary sheet):
// application "VESKA_Software", group "Settings". Tests point it at an INI file of their own.
class UserSettingsStore {
public:
    UserSettingsStore() = default;
    explicit UserSettingsStore(QString iniFile) : m_iniFile(std::move(iniFile)) {}

    // A missing value reads as the empty text.
    QString value(const QString& key) const;
    void setValue(const QString& key, const QString& value);

private:
    QString m_iniFile;
};
