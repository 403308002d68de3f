#include "rig/SerialPortTable.h"

#include <QSerialPortInfo>
#include <algorithm>

SerialPortTable SerialPortTable::systemDefault()
{
    QStringList listed;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        listed << info.systemLocation();
    std::sort(listed.begin(), listed.end());
    QStringList devices;
    // USB adapters are what rigs hang on nowadays; keep them in front and ttyUSB0 first.
    for (const QString& d : listed) {
        if (d.contains(QLatin1String("ttyUSB")))
            devices << d;
    }
    for (const QString& d : listed) {
        if (!devices.contains(d))
            devices << d;
    }
    const QStringList usual{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3", "/dev/ttyACM0",
                            "/dev/ttyACM1", "/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3"};
    if (!devices.contains(usual[0]))
        devices.prepend(usual[0]);
    for (const QString& d : usual) {
        if (devices.size() >= 10)
            break;
        if (!devices.contains(d))
            devices << d;
    }
    return SerialPortTable(devices);
}

void SerialPortTable::setDevice(int n, const QString& path)
{
    if (n < 1)
        return;
    while (m_devices.size() < n)
        m_devices << QString();
    m_devices[n - 1] = path;
}
