#pragma once

#include "log/LogFile.h"
#include "log/Station.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

inline ContactRecord rec(const char* call, const char* time, const char* band = "20", const char* mode = "CW")
{
    return {QString::fromLatin1(call), "1A", "CT", "2026/06/27", QString::fromLatin1(time), QString::fromLatin1(band),
            QString::fromLatin1(mode), "",   ""};
}

// A station on a temporary data folder, set up as K1ABC 1B ENY with a small log.
struct StationFixture {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Station station{DataPaths{dir.path(), dir.path(), dir.path()}, dialogs, clock,
                    UserSettingsStore(dir.file("user.ini"))};

    explicit StationFixture(const char* cls = "1B")
    {
        station.prefs().ownCall = "K1ABC";
        station.prefs().ownClass = QString::fromLatin1(cls);
        station.prefs().ownSection = "ENY";
        writeBytes(dir.file("fdlog.dat"),
                   formatLogLine(rec("W1AW", "18:00:00")) + formatLogLine(rec("K2X", "18:10:00", "40", "PH")));
        station.logbook().reload();
        station.LoadSharedPreferences();
    }
};
