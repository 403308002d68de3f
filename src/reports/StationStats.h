#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <utility>
#include <vector>

class ContactLog;

// The arithmetic of the statistics views: what they show, computed from the in-memory log
// without touching it. The windows only draw it.
namespace StationStats {

// "160", "80", "40", "20", "15", "10" and "VHF/UHF" for every other band.
constexpr int BandBuckets = 7;
const std::array<QString, BandBuckets>& bandBucketNames();
int bandBucket(const QString& band);

// The text shown while the pointer rests on a section label: its name, the total, the counts
// per band bucket and per mode ("PH" shown as SSB). A mode outside CW, DIG and PH counts in
// the total but in no mode.
QString sectionTotalsText(const ContactLog& log, const QString& abbr, const QString& name);

struct OperatorCounts {
    // Initials and the count padded to six characters, most contacts first.
    std::vector<std::pair<QString, QString>> rows;
    std::array<int, BandBuckets> bandCounts{};
    int total = 0;
};
OperatorCounts operatorCounts(const ContactLog& log);

// The rate graph: one point per contact whose stamp can be read.
struct RatePoint {
    qint64 seconds = 0; // since the first contact
    int rate = 0;       // contacts per hour over the ten minutes up to this one
    QString band;
};
struct RateGraph {
    static constexpr int MinimumContacts = 7;
    static constexpr int Steps = 14;
    bool enough = false; // false: "The graph will not display with less than 7 contacts. ..."
    qint64 spanSeconds = 0;
    std::vector<RatePoint> points;
    // 15 labels along the time axis, "hh:mm" and "MM/DD".
    std::vector<QString> timeLabels;
    std::vector<QString> dateLabels;
    int maxRate = 0;
};
RateGraph rateGraph(const ContactLog& log);

// A contact's moment: its date and time texts read together ("2026/06/27 18:05:31").
QDateTime contactMoment(const QString& date, const QString& time);

} // namespace StationStats
