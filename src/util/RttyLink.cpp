#include "util/RttyLink.h"

#include <QLocalSocket>

RttyLink::RttyLink(QObject* parent) : QObject(parent), m_socket(new QLocalSocket(this))
{
    connect(m_socket, &QLocalSocket::connected, this, [this] {
        m_flag = 1;
        emit connected();
    });
    connect(m_socket, &QLocalSocket::errorOccurred, this, [this](QLocalSocket::LocalSocketError) {
        if (m_socket->state() != QLocalSocket::ConnectedState && m_flag == 0)
            emit failed();
    });
    connect(m_socket, &QLocalSocket::readyRead, this, &RttyLink::readLines);
}

const QStringList& RttyLink::outgoingItems()
{
    static const QStringList items{"txtBMyCall", "txtBUrCall", "txtBField1", "txtBField2", "txtBField3",
                                   "txtBField4", "txtBField5", "txtBField6", "txtBField7", "txtBField8"};
    return items;
}

const QStringList& RttyLink::incomingItems()
{
    static const QStringList items{"txtSMyCall", "txtSUrCall", "txtSField1", "txtSField2", "txtSField3",
                                   "txtSField4", "txtSField5", "txtSField6", "txtSField7", "txtSField8"};
    return items;
}

QByteArray RttyLink::encodeItem(const QString& item, const QString& value)
{
    QString v;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            v += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            v += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            v += QStringLiteral("\\r");
        else
            v += c;
    }
    return (item + QLatin1Char('=') + v).toUtf8() + '\n';
}

bool RttyLink::decodeLine(const QByteArray& line, QString& item, QString& value)
{
    const QString text = QString::fromUtf8(line.endsWith('\r') ? line.chopped(1) : line);
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    item = text.left(eq);
    value.clear();
    for (qsizetype i = eq + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            value += c;
            continue;
        }
        const QChar n = text[++i];
        value += n == QLatin1Char('n') ? QChar('\n') : n == QLatin1Char('r') ? QChar('\r') : n;
    }
    return true;
}

void RttyLink::connectToTerminal()
{
    m_socket->abort();
    m_buffer.clear();
    m_flag = 0;
    m_socket->connectToServer(m_serverName);
}

bool RttyLink::poke(const QString& item, const QString& value)
{
    if (m_socket->state() != QLocalSocket::ConnectedState || !outgoingItems().contains(item))
        return false;
    m_socket->write(encodeItem(item, value));
    return true;
}

void RttyLink::SendToTOLV(const QString& ownCall, const QString& ownClass, const QString& ownSection)
{
    poke(QStringLiteral("txtBMyCall"), ownCall);
    poke(QStringLiteral("txtBField1"), ownClass);
    poke(QStringLiteral("txtBField2"), ownSection);
}

void RttyLink::sendKeyCode(int code)
{
    poke(QStringLiteral("txtBField8"), QString());
    poke(QStringLiteral("txtBField8"), QString::number(code));
}

void RttyLink::readLines()
{
    m_buffer += m_socket->readAll();
    qsizetype end;
    while ((end = m_buffer.indexOf('\n')) >= 0) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        QString item, value;
        if (decodeLine(line, item, value) && incomingItems().contains(item))
            emit itemReceived(item, value);
    }
}
