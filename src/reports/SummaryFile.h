#pragma once

#include "reports/SummarySheet.h"

// The .sum file, CR LF line ends, 8-bit.
QByteArray buildSummaryFile(const SummaryValues& v, const BandModeCounts& counts, const QDate& today);
