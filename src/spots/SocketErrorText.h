#pragma once

#include <QAbstractSocket>
#include <QString>

// The operator's texts for socket failures, keyed by the classic Winsock error numbers the
// texts were written for, and the number each of Qt's socket errors stands for.
int winsockErrorNumber(QAbstractSocket::SocketError error);
// "ERROR: ..." for a known number, "Error number N" otherwise.
QString socketErrorText(int number);
inline QString socketErrorText(QAbstractSocket::SocketError error)
{
    return socketErrorText(winsockErrorNumber(error));
}
