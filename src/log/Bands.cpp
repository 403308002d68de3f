#include "log/Bands.h"

#include <array>

namespace Bands {

const QStringList& labels()
{
    static const QStringList l{"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70", "33", "23", "SAT"};
    return l;
}

const QStringList& modes()
{
    static const QStringList m{"CW", "DIG", "PH"};
    return m;
}

int indexOf(const QString& band) { return static_cast<int>(labels().indexOf(band)); }

std::span<const Range> loggingRanges()
{
    static constexpr std::array<Range, 12> ranges{{
        {"160", 1.7999f, 2.0001f},
        {"80", 3.4999f, 4.0001f},
        {"40", 6.9999f, 7.3001f},
        {"20", 13.9999f, 14.3501f},
        {"15", 20.9999f, 21.4501f},
        {"10", 27.9999f, 29.7001f},
        {"6", 49.9999f, 54.0001f},
        {"2", 143.9999f, 148.0001f},
        {"1.25", 218.9999f, 225.0001f},
        {"70", 419.9999f, 450.0001f},
        {"33", 901.9999f, 928.0001f},
        {"23", 1239.9999f, 1300.0001f},
    }};
    return ranges;
}

QString bandForFrequency(float mhz, std::span<const Range> ranges)
{
    for (const Range& r : ranges) {
        if (mhz > r.lower && mhz < r.upper)
            return QString::fromLatin1(r.band);
    }
    return {};
}

QString formatFrequency(float mhz)
{
    return QString::number(static_cast<double>(mhz), 'f', 3);
}

}  // namespace Bands
