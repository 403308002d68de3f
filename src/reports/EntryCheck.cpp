#include "reports/EntryCheck.h"

#include "log/DateTimeText.h"
#include "log/SectionTable.h"

#include <QHash>
#include <QSet>
#include <QTimeZone>
#include <map>

QDate fieldDaySaturday(int year)
{
    // The first Saturday whose Sunday is also in June opens the first full weekend.
    QDate sat(year, 6, 1);
    while (sat.dayOfWeek() != Qt::Saturday)
        sat = sat.addDays(1);
    return sat.addDays(21);
}

EventPeriod fieldDayPeriod(int year)
{
    const QDate sat = fieldDaySaturday(year);
    return {QDateTime(sat, QTime(18, 0, 0), QTimeZone::utc()),
            QDateTime(sat.addDays(1), QTime(20, 59, 59), QTimeZone::utc())};
}

QString findingCodeText(FindingCode code)
{
    switch (code) {
    case FindingCode::RetiredSection:
        return QStringLiteral("RETIRED-SECTION");
    case FindingCode::BadSection:
        return QStringLiteral("BAD-SECTION");
    case FindingCode::BadClass:
        return QStringLiteral("BAD-CLASS");
    case FindingCode::Dupe:
        return QStringLiteral("DUPE");
    case FindingCode::NotFdBand:
        return QStringLiteral("NOT-FD-BAND");
    case FindingCode::OutsidePeriod:
        return QStringLiteral("OUTSIDE-PERIOD");
    }
    return {};
}

QString findingLine(const Finding& f)
{
    return QStringLiteral("%1 %2 %3 %4").arg(f.record).arg(findingCodeText(f.code), f.call, f.detail);
}

namespace {

int logYear(const std::vector<ContactRecord>& records)
{
    std::map<int, int> years;
    for (const ContactRecord& r : records) {
        if (const auto d = DateTimeText::parseLogDate(r.date))
            ++years[d->year()];
    }
    int best = 0;
    int bestCount = 0;
    for (const auto& [year, count] : years) {
        if (count >= bestCount) {
            best = year;
            bestCount = count;
        }
    }
    return best;
}

} // namespace

std::vector<Finding> checkEntry(const std::vector<ContactRecord>& records, RulesEdition edition,
                                const SectionTable& sections)
{
    static const QSet<QString> nonFdBands{QStringLiteral("60"), QStringLiteral("30"), QStringLiteral("17"),
                                          QStringLiteral("12")};
    const int year = logYear(records);
    const EventPeriod period = fieldDayPeriod(year > 0 ? year : QDate::currentDate().year());
    QHash<QString, int> firstOf; // call, band and mode -> first record
    std::vector<Finding> out;
    for (size_t i = 0; i < records.size(); ++i) {
        const ContactRecord& r = records[i];
        const int n = static_cast<int>(i) + 1;
        auto add = [&](FindingCode code, const QString& detail) { out.push_back({n, code, r.call, detail}); };

        if (const QString retired = sections.retiredMessage(r.section); !retired.isEmpty())
            add(FindingCode::RetiredSection, retired);
        else if (!sections.isValidSection(r.section))
            add(FindingCode::BadSection, r.section.isEmpty() ? QStringLiteral("no section") : r.section);
        if (!isValidEntryClass(r.cls, edition))
            add(FindingCode::BadClass, r.cls.isEmpty() ? QStringLiteral("no class") : r.cls);
        const QString key = r.call + QLatin1Char('\n') + r.band + QLatin1Char('\n') + r.mode;
        if (const auto it = firstOf.constFind(key); it != firstOf.constEnd())
            add(FindingCode::Dupe, QStringLiteral("same call, band and mode as record %1").arg(*it));
        else
            firstOf.insert(key, n);
        if (nonFdBands.contains(r.band))
            add(FindingCode::NotFdBand, r.band + QStringLiteral(" m"));
        const QDateTime stamp = DateTimeText::parseLogStamp(r.date, r.time);
        if (!stamp.isValid() || !period.contains(QDateTime(stamp.date(), stamp.time(), QTimeZone::utc())))
            add(FindingCode::OutsidePeriod, r.date + QLatin1Char(' ') + r.time);
    }
    return out;
}
