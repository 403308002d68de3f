#pragma once

#include <QString>
#include <QStringList>
#include <span>

// The Field Day bands and modes in their fixed order (the order of every table and report),
// and the frequency ranges that turn a rig frequency into a band.
namespace Bands {

// "160" ... "23", "SAT": 13 labels.
const QStringList& labels();
// "CW", "DIG", "PH".
const QStringList& modes();
// Position of a band label in labels(), -1 when it is none of them.
int indexOf(const QString& band);

struct Range {
    const char* band;
    float lower;  // exclusive
    float upper;  // exclusive
};

// The 12 radio bands, compared in single precision as the logger always has.
std::span<const Range> loggingRanges();

// The band whose range holds mhz strictly inside both bounds; empty when none.
QString bandForFrequency(float mhz, std::span<const Range> ranges = loggingRanges());

// Frequency text as stored in the log and shown on screen: "#####.##0" (14.025, 7.000).
QString formatFrequency(float mhz);

}  // namespace Bands
