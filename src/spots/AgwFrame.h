#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The AGW packet engine's TCP frames. Each frame is a 36-byte header, integers little-endian:
// 0 radio port, 4 data kind (an ASCII letter), 6 PID, 8-17 call from and 18-27 call to
// (NUL-padded), 28-31 data length; the data follows. Kinds used here: R version, X register
// (answer: one byte, 1 = OK), C connect / connected notice, D connected data, d disconnect /
// disconnected notice. In frames from the engine, call from is the remote station.
struct AgwFrame {
    static constexpr int kHeaderSize = 36;
    static constexpr int kCallSize = 10;

    quint8 port = 0;
    char kind = 0;
    quint8 pid = 0;
    QString callFrom;
    QString callTo;
    QByteArray data;

    QByteArray encode() const;
};

// Cuts the engine's byte stream into frames. A length field past the limit cannot be skipped
// safely on a stream, so the reader stops and reports the stream broken; the owner drops the
// connection.
class AgwFrameReader {
public:
    static constexpr quint32 kMaxData = 64 * 1024;

    std::vector<AgwFrame> feed(const QByteArray& bytes);
    bool broken() const { return m_broken; }
    void clear();

private:
    QByteArray m_buffer;
    bool m_broken = false;
};

// The call in an engine notice: "*** CONNECTED With Station W1AW" (or "To Station"), and
// "*** DISCONNECTED From Station W1AW" or "*** DISCONNECTED RETRYOUT With W1AW".
std::optional<QString> agwConnectedCall(const AgwFrame& frame);
std::optional<QString> agwDisconnectedCall(const AgwFrame& frame);
