#pragma once

#include "log/OperatingState.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "util/Dialogs.h"

#include <QObject>

// Hands the poller's failures straight to the dialogs, as the command line does, so a test
// sees them the moment they are raised.
inline void reportTo(RigPoller& poller, Dialogs& dialogs)
{
    QObject::connect(&poller, &RigPoller::failed, &poller,
                     [&dialogs](const QString& text, const QString& title, Dialogs::Icon icon) {
                         dialogs.message(text, title, icon);
                     });
}

// A poller whose failures reach the dialogs at once.
class ReportingPoller : public RigPoller {
public:
    ReportingPoller(OperatingState& state, Dialogs& dialogs, const QString& dataDir) : RigPoller(state, dataDir)
    {
        reportTo(*this, dialogs);
    }
};

// A reporting poller with its own data folder, dialogs and operating state.
struct PollerParts {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    Preferences prefs;
    OperatingState state{prefs};
    ReportingPoller poller{state, dialogs, dir.path()};
};
