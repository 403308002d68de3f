#include "log/Station.h"

#include "log/SectionTable.h"
#include "log/UtcOffsetCheck.h"
#include "settings/RulesSetting.h"

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

void Station::ensureLogFileExists()
{
    QFile f(m_paths.logFile());
    if (!f.exists() && f.open(QIODevice::WriteOnly))
        f.close();
}
