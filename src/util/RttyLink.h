#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalSocket;

// The link to an external RTTY terminal program over a local socket (a Unix-domain socket, a
// named pipe on Windows). The terminal listens; we connect. Both sides send one line per item
// change, UTF-8, ending in "\n":  ITEM=VALUE, where a backslash in the value is written "\\",
// a line feed "\n" and a carriage return "\r".
//
// Items we send: txtBMyCall (own call), txtBUrCall (the call being typed, in mode DIG),
// txtBField1 (own class), txtBField2 (own section), txtBField3..txtBField7 (free) and
// txtBField8 (key codes: first an empty value, then the code as decimal digits; F10 is 124).
// Items the terminal sends: txtSUrCall, txtSField1 and txtSField2 (call, class and section
// for our entry fields), and txtSMyCall, txtSField3..txtSField8, which we ignore.
class RttyLink : public QObject {
    Q_OBJECT
public:
    static constexpr const char* DefaultServerName = "fdlog-rtty";

    explicit RttyLink(QObject* parent = nullptr);

    static QByteArray encodeItem(const QString& item, const QString& value);
    // One line without its "\n"; false for a line that is no ITEM=VALUE.
    static bool decodeLine(const QByteArray& line, QString& item, QString& value);
    static const QStringList& outgoingItems();
    static const QStringList& incomingItems();

    // The terminal's socket name; DefaultServerName unless set.
    void setServerName(const QString& name) { m_serverName = name; }
    QString serverName() const { return m_serverName; }
    // Starts connecting; connected() or failed() follows.
    void connectToTerminal();
    // 1 once connected; it stays 1 when the terminal goes away, as the flag always has.
    int linkFlag() const { return m_flag; }
    // Sends one item (nothing while not linked, or for an item the terminal does not read).
    bool poke(const QString& item, const QString& value);
    // Own call, class and section.
    void SendToTOLV(const QString& ownCall, const QString& ownClass, const QString& ownSection);
    // A key code for the terminal: an empty txtBField8 first, so the same key twice is seen twice.
    void sendKeyCode(int code);

signals:
    void connected();
    void failed();
    void itemReceived(const QString& item, const QString& value);

private:
    void readLines();

    QLocalSocket* m_socket;
    QByteArray m_buffer;
    QString m_serverName = QString::fromLatin1(DefaultServerName);
    int m_flag = 0;
};
