#pragma once

#include <QByteArray>
#include <QString>

// The WinKeyer host protocol (serial, 1200 baud 8N2, DTR on, RTS off, no flow control).
//
// Host to keyer: bytes 0x00-0x1F start commands, 0x20-0x7F are text the keyer queues and sends.
//   00 04 b   echo test, answered with b      00 02   host open, answered with the version byte
//   00 03     host close                      02 w    speed (5-99 WPM)
//   03 w      weight (50 normal)              04 l t  PTT lead-in and tail, 10 ms units
//   05 m r 0  speed pot: minimum WPM, range   07      read the speed pot
//   08        backspace (last unsent char)    09 p    pin configuration
//   0A        clear buffer, stop keying       0E m    mode register
//   15        request status                  17 r    dit/dah ratio (50 = 1:3)
// Keyer to host: (b & C0) == C0 is a status byte 110WKBRX (Wait, Keydown, Busy, bReakin, Xoff:
// buffer more than 2/3 full, hold the text); (b & C0) == 80 is a speed-pot byte 10pppppp (the
// pot's WPM above its minimum, sent on every turn and when read); anything else is an echoed
// character (mode register bit 2 on: each character once it is keyed) or the version.
namespace WinKeyProtocol {

enum StatusBit : int { Xoff = 0x01, Breakin = 0x02, Busy = 0x04, Keydown = 0x08, Wait = 0x10 };

constexpr char EchoProbe = 0x55;
// Mode register bit 2: echo every character back once it has been keyed.
constexpr int SerialEcho = 0x04;

QByteArray echoTest(char probe = EchoProbe);
QByteArray hostOpen();
QByteArray hostClose();
QByteArray speed(int wpm);
QByteArray weight(int weight);
QByteArray leadTail(int leadIn, int tail);
QByteArray ratio(int ratio);
QByteArray pinConfig(int pins);
QByteArray mode(int mode);
QByteArray clearBuffer();
QByteArray backspace();
QByteArray requestStatus();
QByteArray speedPotSetup(int minWpm, int rangeWpm);
QByteArray readSpeedPot();

inline bool isStatus(unsigned char b)
{
    return (b & 0xC0) == 0xC0;
}
inline bool isSpeedPot(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}
// The value the status call answers: 0 idle, above 0 busy, above 4 not taking more text.
inline int statusValue(unsigned char b)
{
    return b & 0x1F;
}

// The pot's offset above its minimum, from a speed-pot byte.
inline int speedPotOffset(unsigned char b)
{
    return b & 0x3F;
}
// The status bits in words ("Busy, XOFF"), "Idle" for none.
QString statusText(int status);

// The open results the operator sees ("WK Success!" ...); empty for a code without a text.
QString openResultText(int result);

} // namespace WinKeyProtocol
