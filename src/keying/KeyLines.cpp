#include "keying/KeyLines.h"

#include "keying/ParallelKeyLine.h"
#include "rig/SerialPortTable.h"

namespace KeyLines {

namespace {
template <class Line> std::shared_ptr<KeyLine> opened(std::shared_ptr<Line> line, QString* error)
{
    if (line->open())
        return line;
    *error = line->error();
    return nullptr;
}
} // namespace

std::shared_ptr<KeyLine> openSerial(int port, SerialKeyLine::Line line, QString* error)
{
    const QString device = SerialPortTable::systemDefault().device(port);
    if (device.isEmpty()) {
        *error = QStringLiteral("no serial port %1").arg(port);
        return nullptr;
    }
    return opened(std::make_shared<SerialKeyLine>(device, line), error);
}

std::shared_ptr<KeyLine> openPrinter(const QString& address, QString* error)
{
    const std::optional<unsigned> base = ParallelKeyLine::parseAddress(address);
    const std::optional<QString> device = base ? ParallelKeyLine::deviceForBase(*base) : std::nullopt;
    if (!device) {
        *error = QStringLiteral("no printer port at %1").arg(address);
        return nullptr;
    }
    return opened(std::make_shared<ParallelKeyLine>(*device), error);
}

} // namespace KeyLines
