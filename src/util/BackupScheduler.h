#pragma once

#include "settings/DataPaths.h"

#include <QDateTime>
#include <functional>

class Clock;
class Logbook;
struct Preferences;

// The automatic backups, driven by a one-minute tick: every 15th tick (held back while
// keyboard-CW text waits to be sent) LogBkUp.dat is rewritten when the log has grown, and
// the optional dated copy in the year folder and the extra copy are made.
class BackupScheduler {
public:
    BackupScheduler(Logbook& logbook, const Preferences& prefs, DataPaths paths, Clock& clock);

    // Asked on every tick; the keyer answers true while typed CW waits in its buffer.
    void setKeyboardCwWaiting(std::function<bool()> query) { m_cwWaiting = std::move(query); }

    // One minute has passed.
    void Timer1_Timer();

    // "BAK" and the year, e.g. BAK2026.
    static QString yearFolderName(const QDate& today);
    // Year folder path inside the data folder, created when missing (any letter case counts).
    QString ensureYearFolder() const;
    // Where a permanent copy made at `now` goes: BAKyyyy/mmddhhnn.dat.
    QString permanentCopyPath(const QDateTime& now) const;

    bool MakePermanentBackup() const;
    bool MakeExtraBackup() const;

private:
    Logbook& m_logbook;
    const Preferences& m_prefs;
    DataPaths m_paths;
    Clock& m_clock;
    std::function<bool()> m_cwWaiting = [] { return false; };
};
