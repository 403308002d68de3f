#pragma once

#include "log/ContactRecord.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

// Bytes read so far and the file's size, for a progress bar.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;
// Progress is reported about once per this many bytes.
constexpr qint64 ImportProgressStep = 1 << 16;

// ADIF as other programs write it: tags in any case, "<eoh>" in any case or no header at
// all, a type letter after the length (<qso_date:8:d>), records broken over lines, and a last
// record without "<eor>" (kept when it has a call). Control characters are dropped and double
// quotes become blanks before anything is read. A malformed field is passed over.
std::vector<ContactRecord> readAdif(QByteArrayView data, bool digitalAsDig = true, const ImportProgress& progress = {});

// One ADIF band value as a band label: 20m gives "20", 1.25M "1.25", SATM "SAT", 70cm "70".
QString adifBandToLabel(const QString& value);
// The band for a frequency in MHz, including the bands Field Day does not use; empty if none.
QString importBandForFrequency(float mhz);
// FM, SSB and AM become "PH"; with digitalAsDig the digital modes become "DIG".
QString adifModeToLog(const QString& mode, bool digitalAsDig);
