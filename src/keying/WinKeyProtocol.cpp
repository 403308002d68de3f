#include "keying/WinKeyProtocol.h"

#include <QStringList>

namespace WinKeyProtocol {

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(static_cast<char>(v & 0xFF));
    return out;
}
} // namespace

QByteArray echoTest(char probe)
{
    return bytes({0x00, 0x04, static_cast<unsigned char>(probe)});
}
QByteArray hostOpen()
{
    return bytes({0x00, 0x02});
}
QByteArray hostClose()
{
    return bytes({0x00, 0x03});
}
QByteArray speed(int wpm)
{
    return bytes({0x02, wpm});
}
QByteArray weight(int w)
{
    return bytes({0x03, w});
}
QByteArray leadTail(int leadIn, int tail)
{
    return bytes({0x04, leadIn, tail});
}
QByteArray ratio(int r)
{
    return bytes({0x17, r});
}
QByteArray pinConfig(int pins)
{
    return bytes({0x09, pins});
}
QByteArray mode(int m)
{
    return bytes({0x0E, m});
}
QByteArray clearBuffer()
{
    return bytes({0x0A});
}
QByteArray backspace()
{
    return bytes({0x08});
}
QByteArray requestStatus()
{
    return bytes({0x15});
}

QByteArray speedPotSetup(int minWpm, int rangeWpm)
{
    return bytes({0x05, minWpm, rangeWpm, 0x00});
}
QByteArray readSpeedPot()
{
    return bytes({0x07});
}

QString statusText(int status)
{
    static const std::pair<int, const char*> names[] = {
        {Wait, "Wait"}, {Keydown, "Key Down"}, {Busy, "Busy"}, {Breakin, "Break-in"}, {Xoff, "XOFF"}};
    QStringList on;
    for (const auto& [bit, name] : names)
        if (status & bit)
            on << QString::fromLatin1(name);
    return on.isEmpty() ? QStringLiteral("Idle") : on.join(QStringLiteral(", "));
}

QString openResultText(int result)
{
    switch (result) {
    case 0:
        return QStringLiteral("WK Success!");
    case -1:
        return QStringLiteral("No Echo Response");
    case -2:
        return QStringLiteral("Echo Mismatch");
    case -3:
        return QStringLiteral("No Open Response");
    case -4:
        return QStringLiteral("Com Open Failed");
    case -5:
        return QStringLiteral("Get Com ST Failed");
    case -6:
        return QStringLiteral("Set Com ST Failed");
    case -8:
        return QStringLiteral("WK Already Open");
    case -9:
        return QStringLiteral("WK Not Open");
    default:
        return QString();
    }
}

} // namespace WinKeyProtocol
