#pragma once

#include "spots/ClusterTextReader.h"
#include "spots/SpotSource.h"

#include <QString>

class SerialPort;
class SerialPortTable;

// A packet TNC on a serial port. The TNC sends the cluster's text as it arrives over the air;
// nothing here reacts to port events: poll() takes what has arrived, on the spotting timer, and
// cuts it into lines at CR or LF whatever the reads are. The operator's text goes out with a CR,
// and the command character (Ctrl+C, 03, by default) puts the TNC in command mode.
class TncSpotSource final : public SpotSource {
    Q_OBJECT
public:
    // The serial settings of the spotting window. `handshaking` is its choice, 1 none,
    // 2 XON/XOFF, 3 RTS, 4 RTS and XON/XOFF; the port takes it less one.
    struct Settings {
        int port = 1;
        QString settings = QStringLiteral("9600,N,8,1");
        int handshaking = 3;
        QChar powerLine = QLatin1Char('N');
    };

    explicit TncSpotSource(const SerialPortTable& table, QObject* parent = nullptr);
    ~TncSpotSource() override;

    // Closes the port if open and opens it: RTS is raised before opening for the two RTS
    // choices, the power line after. False when the port would not open.
    bool open(const Settings& s);
    bool isOpen() const override;
    // The text and a CR; false when the port is closed.
    bool sendLine(const QString& text) override;
    // Bytes as they are, no CR added; false when the port is closed.
    bool sendBytes(const QByteArray& bytes);
    // One byte given as hexadecimal ("03"); false when closed or the text is no byte.
    bool sendCommandCharacter(const QString& hex);
    void close() override;
    // Takes what has arrived and hands on the lines it completes.
    void poll();

    SerialPort& port() { return *m_port; }

private:
    SerialPort* m_port;
    ClusterTextReader m_text;
};
