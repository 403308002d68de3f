#pragma once

#include <QString>

// One logged contact: nine text fields, kept exactly as they are stored in fdlog.dat.
struct ContactRecord {
    QString call;
    QString cls;      // Field Day class, e.g. "2A"
    QString section;  // section abbreviation or "DX"
    QString date;     // UTC "yyyy/mm/dd"
    QString time;     // UTC "hh:mm:ss"
    QString band;     // band label, e.g. "20", "1.25", "SAT"
    QString mode;     // "CW", "DIG" or "PH"
    QString op;       // operator initials, may be empty
    QString freq;     // MHz "#####.##0", empty when the rig reported none

    bool operator==(const ContactRecord&) const = default;
};
