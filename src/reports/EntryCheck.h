#pragma once

#include "log/ContactRecord.h"
#include "log/RulesEdition.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

class SectionTable;

// The event period: 1800 UTC Saturday to 2059 UTC Sunday of the fourth full weekend (both days
// in June) of June.
QDate fieldDaySaturday(int year);
struct EventPeriod {
    QDateTime first; // 18:00:00 UTC Saturday
    QDateTime last;  // 20:59:59 UTC Sunday, the last second that counts
    bool contains(const QDateTime& utc) const { return utc >= first && utc <= last; }
};
EventPeriod fieldDayPeriod(int year);

// What the check before submission finds, one kind per code.
enum class FindingCode { RetiredSection, BadSection, BadClass, Dupe, NotFdBand, OutsidePeriod };
// "RETIRED-SECTION", "BAD-SECTION", "BAD-CLASS", "DUPE", "NOT-FD-BAND", "OUTSIDE-PERIOD".
QString findingCodeText(FindingCode code);

struct Finding {
    int record = 0; // 1-based, as the log list numbers it
    FindingCode code = FindingCode::BadSection;
    QString call;
    QString detail;

    bool operator==(const Finding&) const = default;
};

// Every finding in record order (a record's findings in code order). The period is the one of
// the year most contacts carry. Nothing in the log is changed.
std::vector<Finding> checkEntry(const std::vector<ContactRecord>& records, RulesEdition edition,
                                const SectionTable& sections);

// "<record> <CODE> <call> <detail>".
QString findingLine(const Finding& f);
