#pragma once

#include <QString>

class Dialogs;

// The files the program itself keeps in the data folder and rewrites behind the operator's
// back: the log, its backup copy and the lines set aside as unreadable. A file dialog that
// writes must never replace one of them, or an archive or an export silently wipes the log.
bool isLiveLogFile(const QString& dataDir, const QString& target);

// Why nothing is written to `target`, said alike by the windows and the command line.
QString liveLogRefusal(const QString& target);

// Tells the operator why nothing is written and returns true when `target` is one of them.
bool refuseLiveLogTarget(const QString& dataDir, const QString& target, Dialogs& dialogs);
