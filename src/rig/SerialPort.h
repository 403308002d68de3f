#pragma once

#include "rig/SerialPortTable.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

class QSerialPort;

// Our one serial port class, with the operations every port user of the program relies on:
// CommPort, Settings ("4800,N,8,2"), Handshaking (0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both),
// DTREnable, RTSEnable, PortOpen, Output (queue bytes), Input (take what has arrived) and
// OutBufferCount (bytes still queued). Nothing here waits: Output queues and returns, and the
// bytes move while the event loop runs. Callers poll with their own timers.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(SerialPortTable table = SerialPortTable::systemDefault(), QObject* parent = nullptr);
    ~SerialPort() override;

    int CommPort() const { return m_commPort; }
    void setCommPort(int n) { m_commPort = n; }
    QString Settings() const { return m_settings; }
    void setSettings(const QString& s) { m_settings = s; }
    int Handshaking() const { return m_handshaking; }
    void setHandshaking(int h) { m_handshaking = h; }
    bool DTREnable() const { return m_dtr; }
    void setDTREnable(bool on);
    bool RTSEnable() const { return m_rts; }
    void setRTSEnable(bool on);

    bool PortOpen() const;
    // True opens (false when the device is missing, busy or the settings are invalid);
    // false closes.
    bool setPortOpen(bool open);

    void Output(const QByteArray& bytes);
    QByteArray Input();
    qint64 OutBufferCount() const;
    // Received bytes kept until Input takes them; past this the rest waits in the device (and
    // a flood is lost there rather than filling our memory). 0 is no limit.
    void setReadBufferSize(qint64 bytes);
    qint64 InBufferCount() const;

    // The opening every caller does: close if open, set port, settings and handshaking, drop
    // DTR and RTS, open, then raise the power line ('R' RTS, 'D' DTR, 'N' none).
    bool openWith(int port, const QString& settings, int handshaking, QChar powerLine);

    const SerialPortTable& table() const { return m_table; }
    void setTable(const SerialPortTable& t) { m_table = t; }
    // The device the port number names, or "" when the table has no such entry.
    QString devicePath() const { return m_table.device(m_commPort); }

    struct ParsedSettings {
        qint32 baud = 0;
        char parity = 'N';
        int dataBits = 8;
        int stopBits = 1;
    };
    // "4800,N,8,2"; nullopt unless every field is one the port takes.
    static std::optional<ParsedSettings> parseSettings(const QString& s);

signals:
    // The device went away or failed while open (unplugged adapter, dead pty). The port has
    // been closed.
    void failed(const QString& reason);

private:
    void onError(int error);

    SerialPortTable m_table;
    QSerialPort* m_port;
    int m_commPort = 1;
    QString m_settings = QStringLiteral("9600,N,8,1");
    int m_handshaking = 0;
    bool m_dtr = false;
    bool m_rts = false;
};

// Who is opening a port: each shows its own message when the port cannot be opened.
enum class PortUser { Rig, Tnc, Cw, Voice };
struct PortOpenFailure {
    QString text;
    QString title;
};
PortOpenFailure portOpenFailure(PortUser user);
