#include "rig/BandPlanPrivileges.h"

#include <QLocale>

namespace BandPlanPrivileges {

const std::vector<ClassButton>& classButtons()
{
    static const std::vector<ClassButton> buttons{
        {"Novice", "N", "Novice Frequency Privileges"},          {"Technician", "T", "Technician Frequency Privileges"},
        {"Tech +", "P", "Technician Plus Frequency Privileges"}, {"General", "G", "General Frequency Privileges"},
        {"Advanced", "A", "Advanced Frequency Privileges"},      {"Extra", "E", "Extra Frequency Privileges"},
    };
    return buttons;
}

QString edgeText(Frequency f)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(static_cast<double>(f.hz) / 1e6, 'f', 3);
}

std::vector<BandRow> rowsFor(const BandPlanLookup& plan, const QString& letter)
{
    std::vector<BandRow> rows;
    const auto& all = plan.rows();
    for (const auto& extent : all) {
        if (extent.classLetter != QLatin1String("O"))
            continue;
        BandRow row{extent.band, edgeText(extent.lower) + QStringLiteral(" - ") + edgeText(extent.upper), {}};
        const auto mhz = [](Frequency f) { return static_cast<double>(f.hz) / 1e6; };
        const double span = mhz(extent.upper) - mhz(extent.lower);
        for (const auto& r : all) {
            if (r.band != extent.band || r.classLetter != letter || span <= 0)
                continue;
            const bool cw = r.mode == QLatin1String("CW");
            row.segments.push_back({(mhz(r.lower) - mhz(extent.lower)) / span, (mhz(r.upper) - mhz(r.lower)) / span, cw,
                                    (cw ? QStringLiteral("CW  ") : QStringLiteral("PH  ")) + edgeText(r.lower) +
                                        QStringLiteral(" - ") + edgeText(r.upper)});
        }
        if (!row.segments.empty())
            rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace BandPlanPrivileges
