#pragma once

#include "log/ContactRecord.h"
#include "log/RulesEdition.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class QAbstractItemModel;
class Dialogs;

// Heads the text and printed reports.
struct StationIdentity {
    QString call;
    QString cls;
    QString section;
};

// A printout: the lines of each page.
using PrintPages = std::vector<QStringList>;

// "     Call Used: K1ABC  Class: 2A" then "ARRL Section: ENY" at column 52.
QString reportHeadingLine(const StationIdentity& id);

// The plain-text log (…-ASCIILog.txt).
QByteArray buildAsciiLog(const std::vector<ContactRecord>& records, const StationIdentity& id);
// The calls of one band and mode, grouped by their first digit (calls without a digit first).
QStringList dupeSheetCalls(const std::vector<ContactRecord>& records, const QString& band, const QString& mode);
// The plain-text dupe sheet (…-ASCIIDup.txt).
QByteArray buildDupeSheet(const std::vector<ContactRecord>& records, const StationIdentity& id);

// The printed log: 53 contacts a page under the page heading.
PrintPages printedLogPages(const std::vector<ContactRecord>& records, const StationIdentity& id);
// The printed dupe sheet: the first 12 bands only.
PrintPages printedDupePages(const std::vector<ContactRecord>& records, const StationIdentity& id);

// LogExp.txt for the general-purpose logger.
QByteArray buildLedraExport(const std::vector<ContactRecord>& records, RulesEdition rules = DefaultRulesEdition);

// The log list as tab-separated text: headings, then every row in the list's present order.
QString buildClipboardText(const QAbstractItemModel& model);

// Menu flows: save dialog, file, message.
// False when nothing was written.
bool writeAsciiLog(const std::vector<ContactRecord>& records, StationIdentity& id, const QString& dataDir,
                   Dialogs& dialogs);
bool writeDupeSheet(const std::vector<ContactRecord>& records, StationIdentity& id, const QString& dataDir,
                    Dialogs& dialogs);
bool writeLedraExport(const std::vector<ContactRecord>& records, const QString& dataDir, Dialogs& dialogs,
                      RulesEdition rules = DefaultRulesEdition);
