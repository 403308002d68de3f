#include "settings/UserSettingsStore.h"

#include <QSettings>
#include <memory>

namespace {

std::unique_ptr<QSettings> open(const QString& iniFile)
{
    auto s = iniFile.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("VESKA_Software"), QStringLiteral("VESKA_Software"))
                               : std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    s->beginGroup(QStringLiteral("Settings"));
    return s;
}

}  // namespace

QString UserSettingsStore::value(const QString& key) const { return open(m_iniFile)->value(key).toString(); }

void UserSettingsStore::setValue(const QString& key, const QString& value) { open(m_iniFile)->setValue(key, value); }
