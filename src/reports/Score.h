#pragma once

#include "log/ContactRecord.h"

#include <QString>
#include <array>
#include <vector>

// Contacts per band (rows in the fixed band order) and mode (CW, DIG, PH). A contact whose
// band or mode text is none of these is counted nowhere.
struct BandModeCounts {
    std::array<std::array<qint32, 3>, 13> cells{};

    qint32 at(int band, int mode) const { return cells[static_cast<size_t>(band)][static_cast<size_t>(mode)]; }
    qint64 modeTotal(int mode) const;
};

BandModeCounts CountContactsByBandAndMode(const std::vector<ContactRecord>& records);

// The three power classes of the sheet; None when no option is chosen.
enum class PowerClass { None, Qrp5, Low150, High };

// "5", "150", "150 +", or empty.
QString powerText(PowerClass p);
// 5, 2, 1, or 0 when no class is chosen.
int powerMultiplier(PowerClass p);
// Parses "5", "150", "150+" / "150 +" (and "" for None); false for anything else.
bool parsePowerClass(const QString& text, PowerClass& out);

struct GotaCounts {
    qint64 cw = 0;
    qint64 dig = 0;
    qint64 ph = 0;
};

struct Score {
    qint64 cwTotal = 0;
    qint64 digitalTotal = 0;
    qint64 phoneTotal = 0;
    qint64 qsoPoints = 0;
    qint64 claimed = 0;  // without bonus points, which are only ever claimed, never computed
};

Score computeScore(const BandModeCounts& counts, const GotaCounts& gota, PowerClass power);
