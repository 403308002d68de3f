#pragma once

#include "rig/BandPlanLookup.h"

#include <QString>
#include <vector>

// What the "Frequency Privileges" window draws for one licence class: a row per band that has
// a segment for the class, in file order, each segment placed as a fraction of the band's
// whole ("O") extent.
namespace BandPlanPrivileges {

struct Segment {
    double left = 0;  // 0..1 of the band row's width
    double width = 0; // 0..1
    bool cw = false;
    QString tooltip; // "CW  1.800 - 1.843"
};
struct BandRow {
    QString band;
    QString tooltip; // the band's edges, "1.800 - 2.000"
    std::vector<Segment> segments;
};

struct ClassButton {
    const char* caption;
    const char* letter;
    const char* heading;
};
// The six class buttons: "Novice" ... "Extra".
const std::vector<ClassButton>& classButtons();

// Frequencies in the form "#,###.##0".
QString edgeText(Frequency f);
std::vector<BandRow> rowsFor(const BandPlanLookup& plan, const QString& letter);

} // namespace BandPlanPrivileges
