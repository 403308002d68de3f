#pragma once

#include "spots/SpotLine.h"

#include <QString>
#include <optional>

// The spotting window's received-text box: everything the source sent, capped so a long
// session cannot grow it, with repeats (clusters resend the same spot through several links)
// shown and passed on once.
class ReceivedText {
public:
    static constexpr qsizetype kMaxChars = 10000;
    static constexpr qsizetype kKeepChars = 9000;
    static constexpr qsizetype kRepeatWindow = 800;

    // Appends; past 10000 characters only the last 9000 remain.
    void append(const QString& text);
    // One received line: skipped when it occurs in the last 800 characters; a spot line is
    // shown and returned to pass on; another line is shown unless `listDxOnly`.
    std::optional<SpotLine> takeLine(const QString& line, bool listDxOnly);

    const QString& text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    QString m_text;
};
