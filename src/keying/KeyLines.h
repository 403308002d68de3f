#pragma once

#include "keying/SerialKeyLine.h"

#include <QString>
#include <memory>

class KeyLine;

// Opens the real key lines from what the keying windows hold: a serial port number and the
// modem line to key, or a printer port's base address. Shared by the CW and voice keyers.
namespace KeyLines {

// The RTS or DTR line of serial port `port` (the system's port table); null, with the reason
// in `error`, when there is no such port or it will not open.
std::shared_ptr<KeyLine> openSerial(int port, SerialKeyLine::Line line, QString* error);
// The printer port at base address `address` ("&H378" is /dev/parport0); null, with the
// reason in `error`, when the address names no port or it will not open.
std::shared_ptr<KeyLine> openPrinter(const QString& address, QString* error);

} // namespace KeyLines
