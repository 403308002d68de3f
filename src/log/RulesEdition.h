#pragma once

#include <QString>
#include <optional>

// Which Field Day rules the program applies. The current rules are the default; the rules the
// program was first written to are kept exactly, one choice away.
enum class RulesEdition { FieldDay2025, AsWritten };

inline constexpr RulesEdition DefaultRulesEdition = RulesEdition::FieldDay2025;

// "ARRL Field Day 2025" / "As written": what the windows show.
QString rulesEditionName(RulesEdition e);
// "2025" / "written": the command-line and settings-file key.
QString rulesEditionKey(RulesEdition e);
// Accepts the key or the name; nothing for any other text.
std::optional<RulesEdition> parseRulesEdition(const QString& text);

// Current rules: a transmitter count 1 to 99 and a class letter A to F ("3A", "12F").
// As written: the first character a digit and the last at or after "A".
bool isValidEntryClass(const QString& cls, RulesEdition e);
// Whether a D station working another D is questioned: only the rules as written forbid it.
bool deltaMayNotWorkDelta(RulesEdition e);
