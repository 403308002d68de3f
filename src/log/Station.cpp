#include "log/Station.h"

#include "log/SectionTable.h"
#include "log/UtcOffsetCheck.h"
#include "settings/RulesSetting.h"
#include "util/Dialogs.h"

#include <QFile>

Station::Station(DataPaths paths, Dialogs& dialogs, Clock& clock, UserSettingsStore userStore, QObject* parent)
    : QObject(parent),
      m_paths(std::move(paths)),
      m_dialogs(dialogs),
      m_clock(clock),
      m_userStore(std::move(userStore)),
      m_log(SectionTable::forEdition(RulesSetting::read(m_paths.dataDir))),
      m_logbook(m_log, m_paths.logFile(), m_paths.backupFile(), dialogs),
      m_state(m_prefs)
{
    m_logbook.setClock(m_clock);
    connect(&m_state, &OperatingState::preferencesChanged, this, [this] { SavePref(); });
    m_state.setComputedUtcOffset([this] { return static_cast<float>(recommendedUtcOffset(m_clock)); });
}

bool Station::ReadPreferences()
{
    return ::ReadPreferences(m_paths.preferencesFile(), m_prefs, static_cast<float>(recommendedUtcOffset(m_clock)));
}

bool Station::SavePref() { return ::SavePref(m_paths.preferencesFile(), m_prefs); }

void Station::LoadSharedPreferences() { m_shared.LoadSharedPreferences(m_paths.sharedPreferencesFile()); }

bool Station::setRules(RulesEdition edition)
{
    if (edition != rules()) {
        m_log.setSections(SectionTable::forEdition(edition));
        emit rulesChanged();
    }
    QString error;
    if (RulesSetting::write(m_paths.dataDir, edition, &error))
        return true;
    m_dialogs.message(QStringLiteral("The rules choice could not be saved: ") + error,
                      QStringLiteral("Unable to write file."), Dialogs::Icon::Warning);
    return false;
}

void Station::ensureLogFileExists()
{
    QFile f(m_paths.logFile());
    if (!f.exists() && f.open(QIODevice::WriteOnly))
        f.close();
}
