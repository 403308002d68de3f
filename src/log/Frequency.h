#pragma once

#include <QString>
#include <compare>
#include <optional>

// A radio frequency in whole hertz. Rigs, the poller and the operating state work in it; it becomes
// MHz text only for display and files, and a single-precision MHz value only at the door of
// the band tables that are kept in that form.
struct Frequency {
    qint64 hz = 0;

    static constexpr Frequency fromHz(qint64 hz) { return Frequency{hz}; }
    // Rounded to the hertz; nothing a radio could be tuned to (not finite, beyond 1 THz) gives
    // the invalid zero.
    static Frequency fromMHz(double mhz);
    // A single as the older rig code holds it: through its shortest text, so 1296.1f is
    // 1296.1 MHz and not 1296.0999756.
    static Frequency fromSingleMHz(float mhz);
    // Typed MHz ("14.025", "7.", " 28.4 "); nothing unless it is a finite positive number.
    static std::optional<Frequency> fromMHzText(const QString& text);

    bool isValid() const { return hz > 0; }
    // The log's form: MHz with three decimals ("14.025").
    QString toMHzText() const;
    // The rig window's readout: MHz with five decimals ("14.02500").
    QString toReadout() const;
    // The fewest digits that say it in MHz ("1296.1", "7"), as text commands want it.
    QString toShortMHzText() const;
    float toSingleMHz() const { return static_cast<float>(static_cast<double>(hz) / 1e6); }

    friend auto operator<=>(const Frequency&, const Frequency&) = default;
};
