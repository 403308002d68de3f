#pragma once

#include "log/ContactLog.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "log/OperatingState.h"
#include "settings/DataPaths.h"
#include "settings/Preferences.h"
#include "settings/SharedPreferences.h"
#include "settings/UserSettingsStore.h"

#include <QObject>

class Clock;
class Dialogs;

// The state every window reads: the log, the operating state, the station's identity and
// settings. Built once by the application and handed to whoever needs it.
class Station : public QObject {
    Q_OBJECT
public:
    Station(DataPaths paths, Dialogs& dialogs, Clock& clock, UserSettingsStore userStore = {}, QObject* parent = nullptr);

    const DataPaths& paths() const { return m_paths; }
    Dialogs& dialogs() { return m_dialogs; }
    Clock& clock() { return m_clock; }

    Preferences& prefs() { return m_prefs; }
    const Preferences& prefs() const { return m_prefs; }
    SharedPreferences& shared() { return m_shared; }
    UserSettingsStore& userStore() { return m_userStore; }
    ContactLog& log() { return m_log; }
    const ContactLog& log() const { return m_log; }
    Logbook& logbook() { return m_logbook; }
    OperatingState& state() { return m_state; }

    // Reads fdpref.dat; a missing or short file leaves the defaults in force. False then.
    bool ReadPreferences();
    // Writes fdpref.dat from the current settings.
    bool SavePref();
    // Loads SharedUserPreferences.xml from the shared folder.
    void LoadSharedPreferences();
    // A first start has no log yet: an empty file makes the first reload succeed.
    void ensureLogFileExists();

    // The data folder's rules. Changing them keeps the choice in its file and puts the log on
    // that edition's section table; false, after telling the operator, when the file could not
    // be written (the rules change all the same).
    RulesEdition rules() const { return m_log.sections().edition(); }
    bool setRules(RulesEdition edition);

signals:
    void rulesChanged();

private:
    DataPaths m_paths;
    Dialogs& m_dialogs;
    Clock& m_clock;
    Preferences m_prefs;
    SharedPreferences m_shared;
    UserSettingsStore m_userStore;
    ContactLog m_log;
    Logbook m_logbook;
    OperatingState m_state;
};
