#pragma once

#include "log/Frequency.h"
#include "spots/SpotStore.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// The arithmetic of the band maps: which spots of the store a band's scale shows, where, and in
// what colour. The views only paint what this works out.
namespace BandMap {

struct Range {
    Frequency low;
    Frequency high;
    bool operator==(const Range&) const = default;
};

// The edges of a band of the main window ("20": 14 to 14.35 MHz); nothing for "SAT" or an
// unknown band.
std::optional<Range> bandEdges(const QString& band);
// The eleven rows of the spectrum map, 160 m to 2 m with the WARC bands.
const std::array<Range, 11>& spectrumRows();

// The shown range: from the lowest to the highest spot strictly inside the edges (slots 1 to
// 49) with 1 kHz either side; the whole band unless two different frequencies are in it.
Range scale(const SpotStore& store, const Range& edges);
// The five scale labels at 0, 25, 50, 75 and 100 %, "14.019".
std::array<QString, 5> scaleLabels(const Range& r);

// Text colours by the spot's age: pale yellow under 10 minutes, white under 30, light grey
// under an hour; nothing (not drawn, though kept) from an hour on.
std::optional<quint32> ageColourRgb(qint64 seconds);

struct Label {
    int slot = 0;
    QString caption;     // the prefix
    QString toolTip;     // "W1AW  14.025  13:07:00", the time shifted by the UTC offset
    double position = 0; // 0 at the low end of the range, 1 at the high end
    quint32 rgb = 0;
};
// The labels of one range, drawn in this order (slot 49 first, so older spots end on top).
std::vector<Label> labels(const SpotStore& store, const Range& shown, const QDateTime& now, float utcOffsetHours);

} // namespace BandMap
