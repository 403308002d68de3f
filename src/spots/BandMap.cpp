#include "spots/BandMap.h"

#include <cmath>
#include <utility>

namespace BandMap {

namespace {
constexpr qint64 kMarginHz = 1000;

Range mhz(double low, double high)
{
    return {Frequency::fromMHz(low), Frequency::fromMHz(high)};
}

QString threeDecimals(Frequency f)
{
    return QString::number(static_cast<double>(f.hz) / 1e6, 'f', 3);
}
} // namespace

std::optional<Range> bandEdges(const QString& band)
{
    static const std::pair<const char*, Range> kBands[] = {
        {"160", mhz(1.8, 2)},    {"80", mhz(3.5, 4)},   {"40", mhz(7, 7.3)},   {"20", mhz(14, 14.35)},
        {"15", mhz(21, 21.45)},  {"10", mhz(28, 29.7)}, {"6", mhz(50, 54)},    {"2", mhz(144, 148)},
        {"1.25", mhz(219, 225)}, {"70", mhz(420, 450)}, {"33", mhz(902, 928)}, {"23", mhz(1240, 1300)},
    };
    for (const auto& [name, range] : kBands) {
        if (band == QLatin1String(name))
            return range;
    }
    return std::nullopt;
}

const std::array<Range, 11>& spectrumRows()
{
    static const std::array<Range, 11> kRows = {
        mhz(1.8, 2),    mhz(3.5, 4),       mhz(7, 7.3),   mhz(10.1, 10.15), mhz(14, 14.35), mhz(18.068, 18.168),
        mhz(21, 21.45), mhz(24.89, 24.99), mhz(28, 29.7), mhz(50, 54),      mhz(144, 148),
    };
    return kRows;
}

Range scale(const SpotStore& store, const Range& edges)
{
    std::optional<Frequency> lowest;
    std::optional<Frequency> highest;
    for (int i = 1; i < SpotStore::kSlots; ++i) {
        const Frequency f = store.slot(i).frequency;
        if (f <= edges.low || f >= edges.high)
            continue;
        if (!lowest || f < *lowest)
            lowest = f;
        if (!highest || f > *highest)
            highest = f;
    }
    if (!lowest || !(*highest > *lowest))
        return edges;
    return {Frequency::fromHz(lowest->hz - kMarginHz), Frequency::fromHz(highest->hz + kMarginHz)};
}

std::array<QString, 5> scaleLabels(const Range& r)
{
    std::array<QString, 5> out;
    for (int i = 0; i < 5; ++i)
        out[static_cast<size_t>(i)] = threeDecimals(Frequency::fromHz(r.low.hz + (r.high.hz - r.low.hz) * i / 4));
    return out;
}

std::optional<quint32> ageColourRgb(qint64 seconds)
{
    if (seconds < 600)
        return 0xFFFF80;
    if (seconds < 1800)
        return 0xFFFFFF;
    if (seconds < 3600)
        return 0xC0C0C0;
    return std::nullopt;
}

std::vector<Label> labels(const SpotStore& store, const Range& shown, const QDateTime& now, float utcOffsetHours)
{
    std::vector<Label> out;
    const double span = static_cast<double>(shown.high.hz - shown.low.hz);
    if (span <= 0)
        return out;
    for (int i = SpotStore::kSlots - 1; i >= 1; --i) {
        const SpotStore::Slot& s = store.slot(i);
        if (!s.frequency.isValid() || s.frequency < shown.low || s.frequency > shown.high)
            continue;
        const auto rgb = ageColourRgb(s.received.secsTo(now));
        if (!rgb)
            continue;
        const QDateTime shifted = s.received.addSecs(static_cast<qint64>(std::lround(utcOffsetHours * 3600.0f)));
        out.push_back({i, s.prefix,
                       s.call + QStringLiteral("  ") + threeDecimals(s.frequency) + QStringLiteral("  ") +
                           shifted.toString(QStringLiteral("hh:mm:ss")),
                       static_cast<double>(s.frequency.hz - shown.low.hz) / span, *rgb});
    }
    return out;
}

} // namespace BandMap
