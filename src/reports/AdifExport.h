#pragma once

#include "log/ContactRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

class Dialogs;

// The operator's three answers; an empty power or comment leaves that field out.
struct AdifOptions {
    QString power = QStringLiteral("100");
    QString comment = QStringLiteral("ARRL Field Day Contest");
    QString phoneMode = QStringLiteral("PH");
};

// The state a section lies in ("ENY" gives "NY"); a section not in the table is its own state,
// and "PR" / "VI" have none.
QString sectionToState(const QString& section);
// DXCC entity of a contact, 0 when none can be told from its section and call.
int dxccEntity(const QString& section, const QString& call);
// A stored date text read as a date; invalid when it is none.
// Accepts year/month/day (also with "-") and month/day/year.
QDate parseLogDate(const QString& text);
// "yyyy" sep "mm" sep "dd"; no separator when `separator` is null.
QString compactDate(const QDate& d, QChar separator);

// The whole ADIF file. `programTitle` is the main window's title; `exportDate` the short date
// text of today.
QByteArray buildAdif(const std::vector<ContactRecord>& records, const AdifOptions& options,
                     const QString& programTitle, const QString& exportDate);

// The menu item: three prompts, save dialog, file, message. False when nothing was written.
bool exportAdif(const std::vector<ContactRecord>& records, const QString& dataDir, const QString& exportDate,
                Dialogs& dialogs);
