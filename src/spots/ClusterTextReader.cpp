#include "spots/ClusterTextReader.h"

#include "spots/SpotLine.h"

QStringList ClusterTextReader::feed(const QByteArray& bytes)
{
    QStringList lines = m_splitter.feed(bytes);
    if (!lines.isEmpty())
        m_prompted = false;
    return lines;
}

std::optional<QString> ClusterTextReader::takePrompt()
{
    if (m_prompted || !isLoginPrompt(m_splitter.pending()))
        return std::nullopt;
    m_prompted = true;
    return m_splitter.pending();
}

void ClusterTextReader::lineSent()
{
    if (m_prompted)
        clear();
}

void ClusterTextReader::clear()
{
    m_splitter.clear();
    m_prompted = false;
}
