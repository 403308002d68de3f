#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// WSJT-X's UDP messages, as much of them as the logger needs.
//
// Every datagram is Qt QDataStream data, big-endian: quint32 magic 0xADBCCBDA, quint32 schema
// (2 or 3), quint32 message type, the sender's id as utf8, then the type's fields. utf8 is a
// quint32 byte count and the bytes (0xFFFFFFFF for a null text). A QDateTime is a qint64
// Julian day, a quint32 count of milliseconds since midnight and a quint8 timespec (0 local,
// 1 UTC, 2 offset from UTC followed by a qint32 offset in seconds).
//
// Type 5, QSO Logged: id, time off, DX call, DX grid, Tx frequency (quint64 Hz), mode, report
// sent, report received, Tx power, comments, name, time on, operator call, my call, my grid,
// exchange sent, exchange received, then (newer senders) the ADIF propagation mode. Fields
// past the ones we know are ignored.
//
// Type 12, Logged ADIF, repeats the same contact as ADIF text right after each QSO Logged, so
// it is recognised and left alone. Every other type (heartbeat, status, decodes) likewise.
namespace Wsjtx {

constexpr quint32 Magic = 0xADBCCBDA;
constexpr quint32 MessageQsoLogged = 5;
constexpr quint32 MessageLoggedAdif = 12;

struct QsoLogged {
    QString id;
    QDateTime timeOff;
    QString dxCall;
    QString dxGrid;
    quint64 txFrequencyHz = 0;
    QString mode;
    QString reportSent;
    QString reportReceived;
    QString txPower;
    QString comments;
    QString name;
    QDateTime timeOn;
    QString operatorCall;
    QString myCall;
    QString myGrid;
    QString exchangeSent;
    QString exchangeReceived;
    QString propagationMode;
};

struct Decoded {
    enum class Kind {
        Malformed, // not a WSJT-X message, or cut short: `error` says why
        Other,     // a well-formed message we do not act on (heartbeat, Logged ADIF, ...)
        QsoLogged,
    };
    Kind kind = Kind::Malformed;
    quint32 type = 0;
    QString id;
    QString error;
    std::optional<QsoLogged> qso;
};

Decoded decode(const QByteArray& datagram);

} // namespace Wsjtx
