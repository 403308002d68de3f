#include "keying/CwSendBuffer.h"

#include <mutex>

QString CwSendBuffer::text() const
{
    std::lock_guard lock(m_mutex);
    return m_text;
}

bool CwSendBuffer::isEmpty() const
{
    std::lock_guard lock(m_mutex);
    return m_text.isEmpty();
}

void CwSendBuffer::clear()
{
    std::lock_guard lock(m_mutex);
    m_text.clear();
}

void CwSendBuffer::append(const QString& text)
{
    std::lock_guard lock(m_mutex);
    m_text += text;
}

void CwSendBuffer::replace(const QString& text)
{
    std::lock_guard lock(m_mutex);
    m_text = text;
}

bool CwSendBuffer::removeLast()
{
    std::lock_guard lock(m_mutex);
    if (m_text.isEmpty())
        return false;
    m_text.chop(1);
    return true;
}

bool CwSendBuffer::beginRun()
{
    std::lock_guard lock(m_mutex);
    return !m_sending.exchange(true);
}

std::optional<QChar> CwSendBuffer::takeFirstOrEndRun()
{
    std::lock_guard lock(m_mutex);
    if (m_text.isEmpty()) {
        m_sending = false;
        return std::nullopt;
    }
    const QChar c = m_text.front();
    m_text.remove(0, 1);
    return c;
}
