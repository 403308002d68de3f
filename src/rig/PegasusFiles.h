#pragma once

#include "rig/RigParsers.h"

#include <QString>

// The Pegasus is driven through its own control program, which reads PEGASUS.IN (two lines:
// frequency in MHz, mode) and writes PEGASUS.OUT ("frequency,mode") in its folder.
bool writePegasusIn(const QString& folder, Frequency f, const QString& lastMode);
RigReading readPegasusOut(const QString& folder);
