#pragma once

#include "reports/AdifReader.h"

#include <QString>

class Dialogs;
class Logbook;

struct ImportOptions {
    bool eliminateDuplicates = true;
    bool digitalAsDig = true; // FT8, RTTY, PSK31 and the like count as "DIG"; off keeps the file's word
};

struct ImportReport {
    enum class Outcome { Imported, Refused, ReadError, AdifOpenError, WriteFailed };
    Outcome outcome = Outcome::Imported;
    int added = 0;
    int duplicates = 0;
    int refused = 0; // records with a field the log cannot hold, left out
};

// The "Append" button: chooses the route by the path, merges into the log, rewrites
// fdlog.dat through the logbook and reloads it. Every failure shows its message. Fields are
// put in stored case; a record LogField still refuses is left out and reported. Nothing is
// merged while the logbook refuses rewrites.
ImportReport appendLogFile(const QString& path, Logbook& logbook, const QString& dataDir, const ImportOptions& options,
                           Dialogs& dialogs, const ImportProgress& progress = {});
