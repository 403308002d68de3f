#pragma once

#include "log/Frequency.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// What a frequency change uses of BandPlan.txt: which band and which kind of segment (CW or
// phone) a frequency falls in, so the rig can be put in the mode that belongs there.
// The file: a quoted effective date on the first line, then one record per line of band name,
// class letter ("O" marks a band's whole extent), mode ("CW" or phone), lower and upper edge
// in MHz; text quoted, numbers bare, at most 200 records.
class BandPlanLookup {
public:
    struct Row {
        QString band;
        QString classLetter;
        QString mode;
        Frequency lower;
        Frequency upper;
    };

    // Reads `dataDir`/BandPlan.txt, falling back to the plan built into the program.
    static BandPlanLookup load(const QString& dataDir);
    // Parses the file's content; an empty lookup when it is not a band plan.
    static BandPlanLookup parse(const QByteArray& content);

    // The first segment row (not an "O" extent row) with lower <= f < upper; nullptr when none.
    const Row* find(Frequency f) const;

    // The mode word a change of frequency sends: the segment's mode, "PH" resolved to "LSB"
    // on 80, 60 and 40 metres and "USB" elsewhere, nothing on 160 metres (both sidebands and
    // CW share it) or outside the plan.
    QString modeWordFor(Frequency f) const;

    bool isEmpty() const { return m_rows.isEmpty(); }
    const QVector<Row>& rows() const { return m_rows; }
    QString effectiveDate() const { return m_effective; }

private:
    QString m_effective;
    QVector<Row> m_rows;
};
