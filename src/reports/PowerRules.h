#pragma once

#include <QString>

// The power multiplier of the current Field Day rules (7.2): x5 only when every contact ran
// 5 W or less and nothing came from the mains or a generator, x2 up to 100 W, x1 above.
enum class PowerLevel { None, Up5, Up100, Over100 };

// The power sources an entry may name. Batteries charged from the mains or a generator count
// as those.
struct PowerSources {
    bool battery = false;
    bool solar = false;
    bool wind = false;
    bool other = false;
    bool generator = false;
    bool mains = false;

    bool anyFromGridOrGenerator() const { return generator || mains; }
    bool operator==(const PowerSources&) const = default;
};

// Why a x5 choice does not apply, as the summary window and the score say it.
inline const QString X5RefusedText = QStringLiteral("x5 needs 5 W or less and no mains or generator");

// "5", "100", "100+", or empty.
QString powerLevelText(PowerLevel p);
// Parses "5", "100", "100+" / "100 +"; false for anything else (empty gives None).
bool parsePowerLevel(const QString& text, PowerLevel& out);
// Parses a comma-separated list of battery, solar, wind, other, generator, mains; false on an
// unknown name, with `bad` set to it.
bool parsePowerSources(const QString& list, PowerSources& out, QString* bad = nullptr);

// 5, 2 or 1; 0 when no level is chosen.
int powerMultiplier2025(PowerLevel level, const PowerSources& sources);
// X5RefusedText when 5 W was chosen but a source rules x5 out; empty otherwise.
QString x5Refusal(PowerLevel level, const PowerSources& sources);
