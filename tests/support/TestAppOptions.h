#pragma once

#include "app/AppContext.h"
#include "support/TestFiles.h"
#include "ui/StationIdDialog.h"

// The whole program on a temporary data folder: documents and the per-user store inside it, the
// station setup window closed with Done at once, and the WSJT-X listener off (tests run in
// parallel would race for its port) unless a test switches it on.
inline AppContext::Options testAppOptions(const TempDataDir& dir)
{
    AppContext::Options o;
    o.dataDir = dir.path();
    o.documentsRoot = dir.file("docs");
    o.userStore = UserSettingsStore(dir.file("user.ini"));
    o.userStore.setValue("WsjtxListen", "0");
    o.runStationId = [](StationIdDialog&) { return true; };
    return o;
}
