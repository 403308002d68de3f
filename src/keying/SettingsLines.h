#pragma once

#include <QString>
#include <optional>

class QIODevice;

// The keyers' settings files (cw.txt, WK.txt, wave2.txt) hold one value a line: a quoted text
// or a bare number.
namespace SettingsLines {

// The next line's value; nullopt at the end of the file, and for a quote left open unless
// keepUnclosedQuote (then the line is taken as it stands).
std::optional<QString> value(QIODevice& f, bool keepUnclosedQuote = false);
// The next line read as a whole number; nullopt when it is not one.
std::optional<int> number(QIODevice& f, bool keepUnclosedQuote = false);

} // namespace SettingsLines
