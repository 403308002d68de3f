#pragma once

#include "reports/SummarySheet.h"

// The printed sheet, one entry per printed line.
QStringList printedSummaryLines(const SummaryValues& v, const BandModeCounts& counts);
