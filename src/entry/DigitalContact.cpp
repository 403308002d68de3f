#include "entry/DigitalContact.h"

#include "util/WsjtxMessage.h"

#include <QRegularExpression>

DigitalContact digitalContactFromWsjtx(const Wsjtx::QsoLogged& qso)
{
    DigitalContact c;
    c.source = QStringLiteral("WSJT-X");
    c.call = qso.dxCall.trimmed().toUpper();
    const QString exchange = qso.exchangeReceived.trimmed().isEmpty() ? qso.comments : qso.exchangeReceived;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList parts = exchange.trimmed().toUpper().split(blanks, Qt::SkipEmptyParts);
    if (!parts.isEmpty())
        c.cls = parts[0];
    if (parts.size() > 1)
        c.section = parts[1];
    c.timeOnUtc = qso.timeOn.toUTC();
    c.frequency = Frequency::fromHz(static_cast<qint64>(qso.txFrequencyHz));
    return c;
}
