#include "keying/ParallelKeyLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

ParallelKeyLine::ParallelKeyLine(QString device) : m_device(std::move(device)) {}

ParallelKeyLine::~ParallelKeyLine()
{
    if (m_fd >= 0) {
        setKeyDown(false);
        ::ioctl(m_fd, PPRELEASE);
        ::close(m_fd);
    }
}

std::optional<QString> ParallelKeyLine::deviceForBase(unsigned base)
{
    if (base == 0x378)
        return QStringLiteral("/dev/parport0");
    if (base == 0x278)
        return QStringLiteral("/dev/parport1");
    return std::nullopt;
}

std::optional<unsigned> ParallelKeyLine::parseAddress(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    unsigned v = 0;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        v = t.mid(2).toUInt(&ok, 16);
    else
        v = t.toUInt(&ok, 0);
    return ok ? std::optional<unsigned>(v) : std::nullopt;
}

bool ParallelKeyLine::open()
{
    if (m_fd >= 0)
        return true;
    const int fd = ::open(m_device.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        m_error = QStringLiteral("%1: %2").arg(m_device, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (::ioctl(fd, PPCLAIM) != 0) {
        m_error = QStringLiteral("%1: cannot claim the port (%2)")
                      .arg(m_device, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    m_fd = fd;
    setKeyDown(false);
    return true;
}

void ParallelKeyLine::setKeyDown(bool down)
{
    if (m_fd < 0)
        return;
    unsigned char control = down ? 3 : 2;
    ::ioctl(m_fd, PPWCONTROL, &control);
}
