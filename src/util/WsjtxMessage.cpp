#include "util/WsjtxMessage.h"

#include <QTimeZone>

namespace Wsjtx {
namespace {

// Reads big-endian fields and remembers the first field that ran past the end.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }

    quint64 unsignedInt(int size, const char* what)
    {
        if (!need(size, what))
            return 0;
        quint64 v = 0;
        for (int i = 0; i < size; ++i)
            v = (v << 8) | static_cast<quint8>(m_bytes[m_pos + i]);
        m_pos += size;
        return v;
    }
    quint32 u32(const char* what) { return static_cast<quint32>(unsignedInt(4, what)); }

    QString utf8(const char* what)
    {
        const quint32 n = u32(what);
        if (!ok() || n == 0xFFFFFFFFu)
            return {};
        if (!need(static_cast<qint64>(n), what))
            return {};
        const QString s = QString::fromUtf8(m_bytes.constData() + m_pos, static_cast<qsizetype>(n));
        m_pos += n;
        return s;
    }

    QDateTime dateTime(const char* what)
    {
        const auto day = static_cast<qint64>(unsignedInt(8, what));
        const auto ms = static_cast<int>(u32(what));
        const auto timeSpec = static_cast<quint8>(unsignedInt(1, what));
        if (!ok())
            return {};
        int offset = 0;
        if (timeSpec == 2)
            offset = static_cast<qint32>(u32(what));
        else if (timeSpec > 2)
            fail(QStringLiteral("%1 has an unsupported timespec %2").arg(QLatin1String(what)).arg(timeSpec));
        const QDate date = QDate::fromJulianDay(day);
        const QTime time = QTime::fromMSecsSinceStartOfDay(ms);
        if (!ok())
            return {};
        if (!date.isValid() || !time.isValid() || ms >= 86'400'000) {
            fail(QStringLiteral("%1 is not a valid date and time").arg(QLatin1String(what)));
            return {};
        }
        // WSJT-X stamps in UTC; a local stamp (timeSpec 0) is taken as UTC too rather than guessed at.
        QDateTime t(date, time, QTimeZone::utc());
        return timeSpec == 2 ? t.addSecs(-offset) : t;
    }

    void fail(const QString& why)
    {
        if (m_error.isEmpty())
            m_error = why;
    }

private:
    bool need(qint64 size, const char* what)
    {
        if (!ok())
            return false;
        if (size > m_bytes.size() - m_pos) {
            fail(QStringLiteral("truncated in %1").arg(QLatin1String(what)));
            return false;
        }
        return true;
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    QString m_error;
};

} // namespace

Decoded decode(const QByteArray& datagram)
{
    Decoded d;
    Reader in(datagram);
    const quint32 magic = in.u32("magic");
    if (in.ok() && magic != Magic)
        in.fail(QStringLiteral("not a WSJT-X message (magic %1)").arg(magic, 8, 16, QLatin1Char('0')));
    const quint32 schema = in.u32("schema");
    if (in.ok() && (schema < 2 || schema > 3))
        in.fail(QStringLiteral("unsupported schema %1").arg(schema));
    d.type = in.u32("message type");
    d.id = in.utf8("id");
    if (!in.ok()) {
        d.error = in.error();
        return d;
    }
    if (d.type != MessageQsoLogged) {
        d.kind = Decoded::Kind::Other;
        return d;
    }

    QsoLogged q;
    q.id = d.id;
    q.timeOff = in.dateTime("time off");
    q.dxCall = in.utf8("DX call");
    q.dxGrid = in.utf8("DX grid");
    q.txFrequencyHz = in.unsignedInt(8, "Tx frequency");
    q.mode = in.utf8("mode");
    q.reportSent = in.utf8("report sent");
    q.reportReceived = in.utf8("report received");
    q.txPower = in.utf8("Tx power");
    q.comments = in.utf8("comments");
    q.name = in.utf8("name");
    q.timeOn = in.dateTime("time on");
    q.operatorCall = in.utf8("operator call");
    q.myCall = in.utf8("my call");
    q.myGrid = in.utf8("my grid");
    q.exchangeSent = in.utf8("exchange sent");
    q.exchangeReceived = in.utf8("exchange received");
    if (in.ok() && !in.atEnd())
        q.propagationMode = in.utf8("propagation mode");
    if (!in.ok()) {
        d.error = in.error();
        return d;
    }
    d.kind = Decoded::Kind::QsoLogged;
    d.qso = std::move(q);
    return d;
}

} // namespace Wsjtx
