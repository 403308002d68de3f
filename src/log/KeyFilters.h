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

// Main window call/class/section fields, operator and find forms: a lower-case letter becomes
// its capital, the double quote is swallowed.
void Capital(int& keyAscii);
// Same rule for the edit-contact window.
void Cap2(int& keyAscii);
// Same rule for the station setup window.
void Cap3(int& keyAscii);
// Digits and Backspace only.
void number(int& keyAscii);
// Digits, "-", ".", "/" and Backspace (the UTC-offset field).
void numberr(int& keyAscii);
// Post-contest date field: digits, "/" and Backspace.
void postContestDate(int& keyAscii);
// Post-contest time field: digits, ":" and Backspace.
void postContestTime(int& keyAscii);

}  // namespace KeyFilters
