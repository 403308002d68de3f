#pragma once

#include <functional>

class QWidget;

// Runs every typed character of a line edit or plain-text box through a key filter that takes the character
// code by reference: it may change it (a letter to its capital) or set it to 0 (swallowed).
// Control keys (Backspace, Enter, arrows) pass untouched unless the filter is asked about
// Backspace (code 8) and swallows it. Pasted and dropped text is typed through the filter too.
using KeyFilterFn = std::function<void(int& keyAscii)>;
void installKeyFilter(QWidget* edit, KeyFilterFn filter);
