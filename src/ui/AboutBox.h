#pragma once

#include <QString>

class Dialogs;

// The Help menu's About box: which version of the program runs, on which Qt.
QString aboutText();
void showAboutBox(Dialogs& dialogs);
