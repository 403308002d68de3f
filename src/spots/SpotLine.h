#pragma once

#include <QString>
#include <optional>

// A DX cluster spot line, as every source hands it on. Columns counted from 1 at the usual
// 80-column width: "DX" in 1-2, the frequency in kHz in 16-24, the spotted call in 27-39 (its
// first word).
// Clusters shift the columns when a call or frequency overflows its field; the fixed columns
// are read anyway, and whatever they hold is checked later (a non-numeric frequency is no spot).
struct SpotLine {
    QString call;
    QString frequencyKHz; // as received, trimmed: may be anything
    QString record;       // the line without "DX " and trimmed, cut before a carriage return

    // A line whose first two characters are "DX" in any case; nothing otherwise.
    static std::optional<SpotLine> parse(const QString& line);
};

// The prefix drawn on the band maps: "W1" for W1AW, "W1AW" for W1AW/4, "K1" for KH6/K1ABC,
// "W5" for W/5; empty for calls under three characters.
QString CallPrefix(const QString& call);

// A cluster's login prompt: text ending in "login:" or "call:" (any case, spaces after allowed).
bool isLoginPrompt(const QString& text);
