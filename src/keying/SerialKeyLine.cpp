#include "keying/SerialKeyLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

SerialKeyLine::SerialKeyLine(QString device, Line line) : m_device(std::move(device)), m_line(line) {}

SerialKeyLine::~SerialKeyLine()
{
    if (m_fd >= 0) {
        setKeyDown(false);
        ::close(m_fd);
    }
}

bool SerialKeyLine::open()
{
    if (m_fd >= 0)
        return true;
    const int fd = ::open(m_device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = QStringLiteral("%1: %2").arg(m_device, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    int both = TIOCM_RTS | TIOCM_DTR;
    if (::ioctl(fd, TIOCMBIC, &both) != 0) {
        m_error = QStringLiteral("%1: no modem control lines (%2)")
                      .arg(m_device, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void SerialKeyLine::setKeyDown(bool down)
{
    if (m_fd < 0)
        return;
    int bit = m_line == Line::Rts ? TIOCM_RTS : TIOCM_DTR;
    ::ioctl(m_fd, down ? TIOCMBIS : TIOCMBIC, &bit);
}
