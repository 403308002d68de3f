#include "log/Frequency.h"

#include <cmath>

namespace {
// Whole MHz, a dot and `decimals` digits of the rest, rounded half up at the last digit.
QString decimalMHz(qint64 hz, int decimals)
{
    qint64 unit = 1;
    for (int i = decimals; i < 6; ++i)
        unit *= 10;
    qint64 scaled = (hz + unit / 2) / unit;
    qint64 perMHz = 1;
    for (int i = 0; i < decimals; ++i)
        perMHz *= 10;
    return QString::number(scaled / perMHz) + QLatin1Char('.') +
           QString::number(scaled % perMHz).rightJustified(decimals, QLatin1Char('0'));
}
} // namespace

Frequency Frequency::fromMHz(double mhz)
{
    if (!std::isfinite(mhz) || std::abs(mhz) > 1e6)
        return {};
    return Frequency{std::llround(mhz * 1e6)};
}

Frequency Frequency::fromSingleMHz(float mhz)
{
    // Seven significant digits, as the single's shortest text has them; done in numbers
    // because every rig reading passes here.
    const double v = static_cast<double>(mhz);
    if (!std::isfinite(v) || v == 0)
        return fromMHz(v);
    const double scale = std::pow(10.0, 6 - static_cast<int>(std::floor(std::log10(std::abs(v)))));
    return fromMHz(std::round(v * scale) / scale);
}

std::optional<Frequency> Frequency::fromMHzText(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= 0 || v > 1e6)
        return std::nullopt;
    return fromMHz(v);
}

QString Frequency::toMHzText() const
{
    return decimalMHz(hz, 3);
}

QString Frequency::toShortMHzText() const
{
    QString s = decimalMHz(hz, 6);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

QString Frequency::toReadout() const
{
    QString s = decimalMHz(hz, 5);
    // Below 1 MHz the readout has always started at the dot.
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    return s;
}
