#pragma once

#include "reports/BonusCalculator.h"
#include "reports/PowerRules.h"

#include <QHash>
#include <QString>

// What the operator claims under the current rules beyond the log: the power step, the power
// sources and the bonus claims. The summary window and the bonus calculator keep them in
// fdclaims.dat beside fdpref.dat, so the scoreboard and the exports score with them too.
struct EntryClaims {
    PowerLevel level = PowerLevel::None;
    PowerSources sources;
    QHash<QString, qint64> bonus; // bonus file keys -> count or 1/0

    bool operator==(const EntryClaims&) const = default;
};

// The claimed score of an entry and how it came about.
struct ClaimedScore {
    int multiplier = 0;
    qint64 bonusPoints = 0;
    qint64 claimed = 0;
    QString x5Refusal; // why a 5 W choice scores x2; empty otherwise
};

ClaimedScore scoreClaims(qint64 qsoPoints, const EntryClaims& claims, QChar classLetter);
// The last character of a class text ("2A" gives 'A'); null for an empty class.
QChar entryClassLetter(const QString& cls);

namespace EntryClaimsFile {

inline constexpr const char* FileName = "fdclaims.dat";

QString path(const QString& dataDir);
// "power = 100", "source = battery,solar" and the bonus file's "key = value" lines. A missing
// or unreadable file gives no claims; a bad line is passed over.
EntryClaims read(const QString& dataDir);
// Replaces the file as a whole; false with `error` set when it could not be written.
bool write(const QString& dataDir, const EntryClaims& claims, QString* error = nullptr);
// The sources as the file and the command line name them: "battery,solar".
QString sourcesText(const PowerSources& s);

} // namespace EntryClaimsFile
