#pragma once

#include "spots/ClusterTextReader.h"
#include "spots/SpotSource.h"

#include <QTcpSocket>

// A DX cluster over telnet (plain TCP text). Reads are cut into lines at CR or LF whatever
// their boundaries; socket errors become the operator's texts of SocketErrorText.
class TelnetSpotSource final : public SpotSource {
    Q_OBJECT
public:
    explicit TelnetSpotSource(QObject* parent = nullptr);

    // Closes any earlier connection and starts connecting; `opened` or `failed` follows.
    void open(const QString& host, quint16 port);
    bool isOpen() const override;
    // Text and CR LF; false (nothing sent) while not connected.
    bool sendLine(const QString& text) override;
    void close() override;

private:
    void readAvailable();
    void socketError(QAbstractSocket::SocketError error);

    QTcpSocket m_socket;
    ClusterTextReader m_text;
    static constexpr qint64 kReadBytes = 4096;
    static constexpr qint64 kSliceBytes = 256 * 1024;
    static constexpr int kSliceLines = 50;
    bool m_sliceQueued = false;
};
