#include "spots/LineSplitter.h"

QStringList LineSplitter::feed(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        if (!m_discarding) {
            m_pending.append(bytes.constData() + start, i - start);
            if (m_pending.size() > m_limit)
                m_pending.clear();
            if (!m_pending.isEmpty())
                lines.append(QString::fromLatin1(m_pending));
        }
        m_pending.clear();
        m_discarding = false;
        start = i + 1;
    }
    if (!m_discarding && start < n) {
        m_pending.append(bytes.constData() + start, n - start);
        if (m_pending.size() > m_limit) {
            m_pending.clear();
            m_pending.squeeze();
            m_discarding = true;
        }
    }
    return lines;
}

void LineSplitter::clear()
{
    m_pending.clear();
    m_discarding = false;
}
