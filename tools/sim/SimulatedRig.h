#pragma once

#include "sim/PtyPeer.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <deque>

// A transceiver on a pseudo-terminal that answers CAT requests byte for byte the way the real
// family does, keeps its frequency and mode, and records every byte it was sent. It can split
// each answer across two writes, put garbage in front of it, and echo requests (Icom bus).
class SimulatedRig : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Kenwood,
        KenwoodIF,
        Ftdx9000,
        Icom,
        Icom735,
        OmniVI,
        Yaesu,
        Yaesu757,
        Yaesu890,
        Yaesu920,
        Yaesu990,
        Yaesu1000,
        Orion,
        FrontPanel
    };

    explicit SimulatedRig(Kind kind, QObject* parent = nullptr);

    QString device() const { return m_pty.slavePath(); }
    bool isValid() const { return m_pty.isValid(); }

    qint64 hz = 14025000;
    // Family mode code: Kenwood 1-9, CI-V 00-08, Yaesu 00-0C (the 920: its status byte, 0x44
    // DATA-USB), Orion '0'-'6'.
    int mode = 3;
    int vfo = 0;               // Kenwood IF: 0 A, 1 B
    bool dataMode = false;     // Kenwood "DA": the voice mode carries data (USB-DATA)
    bool splitReplies = false; // every answer in two writes, 15 ms apart
    int filter = 1;            // CI-V: the filter byte after the mode byte (0: none, as older radios)
    // Binary answers come a few bytes at a time at this line speed (8N2), as from a real port;
    // 0 writes them at once.
    int baud = 0;
    QByteArray garbage;  // sent before every answer
    bool echo = false;   // Icom single-wire bus: the request comes back first
    bool silent = false; // hears but does not answer
    QByteArray babble;   // when set, every request is answered with this instead

    QByteArray received; // everything the program sent
    int answers = 0;

    void vanish() { m_pty.vanish(); }

signals:
    // An answer was put on the line (its first bytes, when it dribbles).
    void answered();

private:
    void onBytes(const QByteArray& bytes);
    void handle(const QByteArray& command);
    void reply(const QByteArray& bytes);
    QByteArray icomFrequency() const;
    void sendChunk();
    void dribble(const QByteArray& bytes);

    Kind m_kind;
    PtyPeer m_pty;
    QByteArray m_pending;
    std::deque<QByteArray> m_chunks;
    QTimer m_chunkTimer;
    QByteArray m_dribble;
    QTimer m_dribbleTimer;
};
