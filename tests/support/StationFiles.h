#pragma once

#include "log/LogFile.h"
#include "settings/Preferences.h"
#include "support/TestFiles.h"

#include <vector>

// A log file holding these records, written as the program writes them.
inline void writeLogFile(const QString& path, const std::vector<ContactRecord>& records)
{
    QByteArray bytes;
    for (const ContactRecord& r : records)
        bytes += formatLogLine(r);
    writeBytes(path, bytes);
}

// A data folder set up as a station: fdpref.dat with its call, class and section, and fdlog.dat.
inline void writeStation(const TempDataDir& dir, const QString& call, const QString& cls, const QString& section,
                         const std::vector<ContactRecord>& log)
{
    Preferences p;
    p.ownCall = call;
    p.ownClass = cls;
    p.ownSection = section;
    writeBytes(dir.file("fdpref.dat"), formatPreferences(p));
    writeLogFile(dir.file("fdlog.dat"), log);
}
