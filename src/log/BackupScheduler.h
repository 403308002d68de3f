#pragma once

#include "settings/DataPaths.h"

#include <QDateTime>
#include <functional>

class Clock;
class Dialogs;
class Logbook;
struct Preferences;

// The automatic backups, driven by a one-minute tick: every 15th tick (held back while
// keyboard-CW text waits to be sent) LogBkUp.dat is rewritten when the log has grown, and
// the optional dated copy in the year folder and the extra copy are made. A dated copy that
// cannot be made is reported: the operator relies on it.
class BackupScheduler {
public:
    BackupScheduler(Logbook& logbook, const Preferences& prefs, DataPaths paths, Clock& clock, Dialogs& dialogs);

    // Asked on every tick; the keyer answers true while typed CW waits in its buffer.
    void setKeyboardCwWaiting(std::function<bool()> query) { m_cwWaiting = std::move(query); }

    // One minute has passed.
    void tick();

    // "BAK" and the year, e.g. BAK2026.
    static QString yearFolderName(const QDate& today);
    // Year folder path inside the data folder, created when missing (any letter case counts).
    QString ensureYearFolder() const;
    static QString ensureYearFolder(const QString& dataDir, const QDate& today);
    // Where a permanent copy made at `now` goes: BAKyyyy/mmddhhnn.dat, in the year folder as it
    // is spelt on disk (bak2026 stays bak2026).
    QString permanentCopyPath(const QDateTime& now) const;
    static QString permanentCopyPath(const QString& dataDir, const QDateTime& now);
    // Copies `from` to the permanent copy path for `now`, replacing a copy of the same minute.
    // False with the reason (naming the target) in `error`.
    static bool copyToYearFolder(const QString& dataDir, const QString& from, const QDateTime& now, QString* error);

    bool MakePermanentBackup() const;
    bool MakeExtraBackup() const;

private:
    Logbook& m_logbook;
    const Preferences& m_prefs;
    DataPaths m_paths;
    Clock& m_clock;
    Dialogs& m_dialogs;
    std::function<bool()> m_cwWaiting = [] { return false; };
};
