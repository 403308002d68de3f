#pragma once

#include <QObject>
#include <QString>

// A connection that delivers cluster text line by line: telnet, TNC or packet engine. The
// spotting window and fdlog-cli spots drive every source through this.
class SpotSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SpotSource() override = default;

    virtual bool isOpen() const = 0;
    // Sends one line of the operator's text; false when the source cannot take it now.
    virtual bool sendLine(const QString& text) = 0;
    virtual void close() = 0;

signals:
    void opened();
    void lineReceived(const QString& line);
    // Text without a line end that asks for the call ("login: ", "Please enter your call:").
    void promptReceived(const QString& text);
    // The peer ended the connection.
    void closedByPeer();
    // The connection failed; `text` is for the operator.
    void failed(const QString& text);
};
