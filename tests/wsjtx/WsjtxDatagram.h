#pragma once

#include <QByteArray>
#include <QDate>
#include <QTime>

// Builds WSJT-X datagrams byte by byte, big-endian, as the sender's QDataStream writes them.
class WsjtxDatagram {
public:
    WsjtxDatagram& u8(quint8 v)
    {
        bytes.append(static_cast<char>(v));
        return *this;
    }
    WsjtxDatagram& u32(quint32 v)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            u8(static_cast<quint8>(v >> shift));
        return *this;
    }
    WsjtxDatagram& u64(quint64 v)
    {
        u32(static_cast<quint32>(v >> 32));
        return u32(static_cast<quint32>(v));
    }
    WsjtxDatagram& utf8(const QByteArray& text)
    {
        u32(static_cast<quint32>(text.size()));
        bytes.append(text);
        return *this;
    }
    WsjtxDatagram& nullText() { return u32(0xFFFFFFFFu); }
    WsjtxDatagram& dateTime(const QDate& d, const QTime& t, quint8 timeSpec = 1)
    {
        u64(static_cast<quint64>(d.toJulianDay()));
        u32(static_cast<quint32>(t.msecsSinceStartOfDay()));
        return u8(timeSpec);
    }
    WsjtxDatagram& header(quint32 type, quint32 schema = 3, quint32 magic = 0xADBCCBDA)
    {
        return u32(magic).u32(schema).u32(type).utf8("WSJT-X");
    }

    struct Qso {
        QByteArray call = "K1ABC";
        quint64 txHz = 14'074'000;
        QByteArray comments;
        QByteArray exchangeReceived = "2A EMA";
        QDate date{2026, 6, 27};
        QTime timeOn{18, 4, 15};
        bool propagationMode = true;
    };
    // A whole QSO Logged message (type 5).
    static QByteArray qsoLogged(const Qso& q)
    {
        WsjtxDatagram m;
        m.header(5)
            .dateTime(q.date, q.timeOn.addSecs(45))
            .utf8(q.call)
            .utf8("FN42")
            .u64(q.txHz)
            .utf8("FT8")
            .utf8("-10")
            .utf8("-12")
            .utf8("100")
            .utf8(q.comments)
            .nullText()
            .dateTime(q.date, q.timeOn)
            .utf8("W1AW")
            .utf8("W1AW")
            .utf8("FN31")
            .utf8("3A CT")
            .utf8(q.exchangeReceived);
        if (q.propagationMode)
            m.utf8("");
        return m.bytes;
    }

    QByteArray bytes;
};
