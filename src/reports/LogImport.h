#pragma once

#include "log/ContactRecord.h"

#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

class ContactLog;
class Dialogs;
class Logbook;

// Bytes read so far and the file's size, for a progress bar.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

struct ImportOptions {
    bool eliminateDuplicates = true;
    bool digitalAsDig = false;  // FT8, RTTY, PSK31 and the like count as "DIG"
};

// ADIF as other programs write it: tags in any case, "<eoh>" in any case or no header at
// all, a type letter after the length (<qso_date:8:d>), records broken over lines, and a last
// record without "<eor>" (kept when it has a call). Control characters are dropped and double
// quotes become blanks before anything is read. A malformed field is passed over.
std::vector<ContactRecord> readAdif(QByteArrayView data, bool digitalAsDig = false, const ImportProgress& progress = {});

// One ADIF band value as a band label: 20m gives "20", 1.25M "1.25", SATM "SAT", 70cm "70".
QString adifBandToLabel(const QString& value);
// The band for a frequency in MHz, including the bands Field Day does not use; empty if none.
QString importBandForFrequency(float mhz);
// FM, SSB and AM become "PH"; with digitalAsDig the digital modes become "DIG".
QString adifModeToLog(const QString& mode, bool digitalAsDig);

// Adds contacts to a copy of the log the way an append does: duplicates (same call, band and
// mode, any letter case) skipped when asked, each contact put before the first contact whose
// date and time sort after its own, nothing beyond the log's capacity.
class LogMerger {
public:
    enum class Result { Added, Duplicate, Full };

    LogMerger(const std::vector<ContactRecord>& existing, bool eliminateDuplicates);
    Result add(ContactRecord r);
    // The existing contacts with the added ones in their places.
    std::vector<ContactRecord> merged() const;
    // The same, moving the added contacts out of the merger.
    std::vector<ContactRecord> takeMerged();
    int added() const { return static_cast<int>(m_incoming.size()); }
    int duplicates() const { return m_duplicates; }

private:
    struct Incoming {
        size_t gap;  // goes before existing contact number `gap` (0-based)
        QString key;
        ContactRecord record;
    };

    const std::vector<ContactRecord>& m_existing;
    std::vector<QString> m_prefixMax;  // running maximum of the existing date+time keys
    std::vector<Incoming> m_incoming;
    QSet<QString> m_seen;
    bool m_eliminate;
    int m_duplicates = 0;
};

struct ImportReport {
    enum class Outcome { Imported, Refused, ReadError, AdifOpenError, WriteFailed };
    Outcome outcome = Outcome::Imported;
    int added = 0;
    int duplicates = 0;
    int refused = 0;  // records with a field the log cannot hold, left out
};

// The "Append" button: chooses the route by the path, merges into the log, rewrites
// fdlog.dat through the logbook and reloads it. Every failure shows its message. Fields are
// put in stored case; a record LogField still refuses is left out and reported. Nothing is
// merged while the logbook refuses rewrites.
ImportReport appendLogFile(const QString& path, Logbook& logbook, const QString& dataDir, const ImportOptions& options,
                           Dialogs& dialogs, const ImportProgress& progress = {});
