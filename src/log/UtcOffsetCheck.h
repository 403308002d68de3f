#pragma once

#include <QString>

class Clock;
class Dialogs;
class OperatingState;

// Start-up check of the operator's UTC offset against the computer's own clock. When they
// differ, an input box offers the recommended offset; a numeric answer becomes the offset (and
// OperatingState asks for the preferences to be saved). Returns true when the offset changed.
bool CheckUtcOffset(const Clock& clock, OperatingState& state, Dialogs& dialogs);

// UTC minus local time in hours, rounded to 2 decimals.
double recommendedUtcOffset(const Clock& clock);

// What the operator is told when a typed offset lies outside -12..+14 hours, and its title.
QString utcOffsetOutOfRangeText();
QString utcOffsetOutOfRangeTitle();
