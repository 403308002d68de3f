#pragma once

#include "keying/KeyLine.h"

#include <QString>

// Keys with a serial port's RTS or DTR modem line, set by ioctl on the port's descriptor so a
// transition costs one system call on the keying thread. Both lines are dropped on opening
// and the keyed one again on closing.
class SerialKeyLine final : public KeyLine {
public:
    enum class Line { Rts, Dtr };

    SerialKeyLine(QString device, Line line);
    ~SerialKeyLine() override;

    // False with the reason in error() when the device cannot be opened or has no modem lines.
    bool open();
    bool isOpen() const { return m_fd >= 0; }
    QString error() const { return m_error; }
    QString device() const { return m_device; }

    void setKeyDown(bool down) override;

private:
    QString m_device;
    Line m_line;
    int m_fd = -1;
    QString m_error;
};
