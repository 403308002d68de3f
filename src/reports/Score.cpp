#include "reports/Score.h"

#include "log/Bands.h"

qint64 BandModeCounts::modeTotal(int mode) const
{
    qint64 sum = 0;
    for (const auto& row : cells)
        sum += row[static_cast<size_t>(mode)];
    return sum;
}

BandModeCounts CountContactsByBandAndMode(const std::vector<ContactRecord>& records)
{
    BandModeCounts c;
    const QStringList& modes = Bands::modes();
    for (const ContactRecord& r : records) {
        const int b = Bands::indexOf(r.band);
        const auto m = modes.indexOf(r.mode);
        if (b >= 0 && m >= 0)
            ++c.cells[static_cast<size_t>(b)][static_cast<size_t>(m)];
    }
    return c;
}

QString powerText(PowerClass p)
{
    switch (p) {
    case PowerClass::Qrp5: return QStringLiteral("5");
    case PowerClass::Low150: return QStringLiteral("150");
    case PowerClass::High: return QStringLiteral("150 +");
    case PowerClass::None: break;
    }
    return {};
}

int powerMultiplier(PowerClass p)
{
    switch (p) {
    case PowerClass::Qrp5: return 5;
    case PowerClass::Low150: return 2;
    case PowerClass::High: return 1;
    case PowerClass::None: break;
    }
    return 0;
}

bool parsePowerClass(const QString& text, PowerClass& out)
{
    const QString t = text.trimmed().remove(QLatin1Char(' '));
    if (t.isEmpty())
        out = PowerClass::None;
    else if (t == QLatin1String("5"))
        out = PowerClass::Qrp5;
    else if (t == QLatin1String("150"))
        out = PowerClass::Low150;
    else if (t == QLatin1String("150+"))
        out = PowerClass::High;
    else
        return false;
    return true;
}

Score computeScore(const BandModeCounts& counts, const GotaCounts& gota, PowerClass power)
{
    Score s;
    s.cwTotal = counts.modeTotal(0) + gota.cw;
    s.digitalTotal = counts.modeTotal(1) + gota.dig;
    s.phoneTotal = counts.modeTotal(2) + gota.ph;
    s.qsoPoints = 2 * s.cwTotal + 2 * s.digitalTotal + s.phoneTotal;
    s.claimed = s.qsoPoints * powerMultiplier(power);
    return s;
}
