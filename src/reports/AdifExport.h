#pragma once

#include <optional>

#include "log/ContactRecord.h"
#include "log/RulesEdition.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

class Dialogs;
class SectionTable;

// The operator's answers; an empty power or comment leaves that field out.
struct AdifOptions {
    QString power = QStringLiteral("100");
    QString comment = QStringLiteral("ARRL Field Day Contest");
    // The MODE of phone contacts with the older words; the ADIF 3.1.4 file always says SSB.
    QString phoneMode = QStringLiteral("PH");
    // The ADIF mode of digital contacts: the log only knows they were digital.
    QString digitalMode = QStringLiteral("RTTY");
    // The older words (PH, DIG, 70M, SATM) for programs written against them.
    bool legacyWords = false;
    // Whose section table tells which sections are Canada (and PR, VI, PAC, AK).
    RulesEdition rules = DefaultRulesEdition;
};

// ADIF 3.1.4 band of a log band ("70" gives "70cm"); empty for SAT and unknown labels.
QString adifBand(const QString& logBand);
// ADIF 3.1.4 band holding a frequency in MHz text; empty outside every band.
QString adifBandOfFrequency(const QString& mhzText);
// A stored time ("18:05", "9:05:30", "1805") as ADIF's HHMMSS; empty when it is none.
QString adifTime(const QString& stored);

// The state a section lies in ("ENY" gives "NY"); a section not in the table is its own state,
// and "PR" / "VI" have none.
QString sectionToState(const QString& section);
// DXCC entity of a contact: the section's in the table, else 291 for a call starting A, K, N
// or W; 0 when none can be told.
int dxccEntity(const QString& section, const QString& call, const SectionTable& sections);
// A stored date text read as a date; invalid when it is none.
// Accepts year/month/day (also with "-") and month/day/year.
QDate parseLogDate(const QString& text);
// "yyyy" sep "mm" sep "dd"; no separator when `separator` is null.
QString compactDate(const QDate& d, QChar separator);

// The whole ADIF file. `programTitle` is the main window's title; `exportDate` the short date
// text of today.
QByteArray buildAdif(const std::vector<ContactRecord>& records, const AdifOptions& options, const QString& programTitle,
                     const QString& exportDate);

// The export's questions in one form; std::nullopt when the operator cancels it.
std::optional<AdifOptions> askAdifOptions(Dialogs& dialogs, RulesEdition rules = DefaultRulesEdition);
// Save dialog, file, message. False when nothing was written.
bool writeAdifExport(const std::vector<ContactRecord>& records, const AdifOptions& options, const QString& dataDir,
                     const QString& exportDate, Dialogs& dialogs);

// The questions one box after another (a cancelled box answers empty), then writeAdifExport.
bool exportAdif(const std::vector<ContactRecord>& records, const QString& dataDir, const QString& exportDate,
                Dialogs& dialogs, RulesEdition rules = DefaultRulesEdition);
