#pragma once

#include <QByteArray>

// Bytes written as spaced hex pairs ("FE FE 64 E0"), as radio manuals print their frames.
inline QByteArray hex(const char* spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
