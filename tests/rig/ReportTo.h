#pragma once

#include "rig/RigPoller.h"
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
