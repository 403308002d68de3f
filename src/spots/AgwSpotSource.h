#pragma once

#include "spots/AgwFrame.h"
#include "spots/LineSplitter.h"
#include "spots/SpotSource.h"

#include <QTcpSocket>

// A DX cluster node reached through an AGW packet engine's TCP port: registers the station's
// call, connects to the node, and cuts the node's data frames into lines.
class AgwSpotSource final : public SpotSource {
    Q_OBJECT
public:
    enum class LineResult { Sent, NeedsCall, NotConnected };

    explicit AgwSpotSource(QObject* parent = nullptr);

    // Connects to the engine and registers `ownCall`; `opened` follows the engine's OK.
    void open(const QString& host, quint16 port, const QString& ownCall);
    bool isOpen() const override { return m_registered; }
    // ":C CALL" connects, ":D" disconnects, anything else goes to the connected node with CR.
    LineResult sendCommandLine(const QString& text);
    bool sendLine(const QString& text) override { return sendCommandLine(text) == LineResult::Sent; }
    void connectTo(const QString& call);
    // Asks the engine for its version; `engineVersion` answers.
    void requestVersion() { send('R', {}); }
    // A disconnect frame to the connected node; nothing when not connected.
    void disconnectStation();
    void close() override;
    QString connectedCall() const { return m_connectedCall; }

signals:
    void stationConnected(const QString& call);
    void stationDisconnected(const QString& call);
    void engineVersion(int major, int minor);

private:
    void readAvailable();
    void take(const AgwFrame& frame);
    void send(char kind, const QString& to, const QByteArray& data = {});

    QTcpSocket m_socket;
    AgwFrameReader m_reader;
    LineSplitter m_splitter;
    QString m_ownCall;
    QString m_connectedCall;
    bool m_registered = false;
};
