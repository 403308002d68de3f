#pragma once

#include <QString>
#include <QStringList>

// Port numbers name devices: entry n (from 1) is the device the operator means by "port n".
// The rig window lets the operator edit the table; it is kept with the rig settings.
class SerialPortTable {
public:
    SerialPortTable() = default;
    explicit SerialPortTable(QStringList devices) : m_devices(std::move(devices)) {}

    // The ports the system lists, /dev/ttyUSB0 first, padded to 10 entries with the usual
    // USB and built-in names so that every port button names something.
    static SerialPortTable systemDefault();

    // Empty when n is outside the table.
    QString device(int n) const { return n >= 1 && n <= m_devices.size() ? m_devices[n - 1] : QString(); }
    void setDevice(int n, const QString& path);
    const QStringList& devices() const { return m_devices; }
    int size() const { return static_cast<int>(m_devices.size()); }

private:
    QStringList m_devices;
};
