#pragma once

// Key filters for the entry fields. Each takes the typed character code by reference and
// changes it, or sets it to 0 to swallow the key. Keeping the double quote out of every text
// field keeps the quoted log-file format intact.
namespace KeyFilters {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Space = 32;
constexpr int Escape = 27;

// Calls, classes, sections, initials and the other upper-case fields of every window: a
// lower-case letter becomes its capital, the double quote is swallowed.
void upperCase(int& keyAscii);
// Digits and Backspace only.
void digitsOnly(int& keyAscii);
// Digits, "-", ".", "/" and Backspace (the UTC-offset field).
void utcOffset(int& keyAscii);
// Post-contest date field: digits, "/" and Backspace.
void postContestDate(int& keyAscii);
// Post-contest time field: digits, ":" and Backspace.
void postContestTime(int& keyAscii);

} // namespace KeyFilters
