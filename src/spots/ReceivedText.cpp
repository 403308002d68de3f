#include "spots/ReceivedText.h"

void ReceivedText::append(const QString& text)
{
    m_text += text;
    if (m_text.size() > kMaxChars)
        m_text = m_text.right(kKeepChars);
}

std::optional<SpotLine> ReceivedText::takeLine(const QString& line, bool listDxOnly)
{
    if (line.isEmpty())
        return std::nullopt;
    if (QStringView(m_text).right(kRepeatWindow).contains(line))
        return std::nullopt;
    std::optional<SpotLine> spot = SpotLine::parse(line);
    if (spot || !listDxOnly)
        append(line + QStringLiteral("\r\n"));
    return spot;
}
