#pragma once

#include <QString>

class QWidget;

// Text can reach a field without a key press: Ctrl+V or Shift+Insert, the context menu's Paste,
// a middle click (the X11 selection), a drop, or an input method's commit. Each of these
// would put the text in unchecked, past the key filters and the entry rules. Installed on a
// QLineEdit or QPlainTextEdit, this turns such text into one key press per character sent to
// the field, so it meets exactly what typing it would: the same filters, carries and focus
// moves (a pasted "k1abc 2a ct" ends up in the call, class and section fields).
void replayPastesAsKeys(QWidget* edit);

// The same for every line edit and text box inside `window` (a dialog that filters keys itself).
void replayPastesAsKeysIn(QWidget* window);

// Sends `text` to `field` as key presses, one per character; later characters follow the
// focus when a key moves it to another text field. Line ends are Enter only in a text box;
// other control characters are dropped, as a keyboard does not type them.
void typeAsKeys(QWidget* field, const QString& text);
