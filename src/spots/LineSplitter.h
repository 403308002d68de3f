#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Cuts a byte stream into text lines at CR or LF, whatever the read boundaries are: a read
// that ends mid-line waits for the rest. Empty lines (the LF of a CR LF pair) are dropped.
// Bytes are Latin-1. A line longer than the limit is dropped whole, and the buffer never holds
// more than the limit, so a peer that never sends a line end cannot grow our memory.
class LineSplitter {
public:
    static constexpr qsizetype kDefaultLimit = 4096;

    explicit LineSplitter(qsizetype limit = kDefaultLimit) : m_limit(limit) {}

    // The complete lines the bytes finish, in order.
    QStringList feed(const QByteArray& bytes);
    // Text after the last line end (a prompt such as "login: " has none).
    QString pending() const { return QString::fromLatin1(m_pending); }
    void clear();

private:
    qsizetype m_limit;
    QByteArray m_pending;
    bool m_discarding = false; // inside a line already past the limit
};
