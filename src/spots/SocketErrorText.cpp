#include "spots/SocketErrorText.h"

#include <QHash>

namespace {
// Would-block, broadcast-address and cancelled have no number in the operator's table.
constexpr int kWouldBlock = 10035;
constexpr int kBroadcast = 10013;
constexpr int kCancelled = 10004;
} // namespace

int winsockErrorNumber(QAbstractSocket::SocketError error)
{
    using E = QAbstractSocket::SocketError;
    switch (error) {
    case E::ConnectionRefusedError:
        return 10061;
    case E::RemoteHostClosedError:
        return 10054;
    case E::HostNotFoundError:
        return 11001;
    case E::SocketAccessError:
        return kBroadcast;
    case E::SocketResourceError:
        return 10055;
    case E::SocketTimeoutError:
        return 10053;
    case E::DatagramTooLargeError:
        return 10040;
    case E::NetworkError:
        return 10050;
    case E::AddressInUseError:
        return 10048;
    case E::SocketAddressNotAvailableError:
        return 10049;
    case E::UnsupportedSocketOperationError:
        return 10043;
    case E::UnfinishedSocketOperationError:
        return 10036;
    case E::OperationError:
        return 10056;
    case E::TemporaryError:
        return kWouldBlock;
    default:
        return 20000 + static_cast<int>(error); // outside every Winsock number
    }
}

QString socketErrorText(int number)
{
    static const QHash<int, const char*> texts{
        {7, "ERROR: Out of memory."},
        {380, "ERROR: The property value is invalid."},
        {383, "ERROR: The property is read-only."},
        {394, "ERROR: The property can't be read."},
        {kCancelled, "ERROR: The operation was canceled."},
        {kBroadcast, "ERROR: The requested address is a broadcast address, but flag is not set."},
        {kWouldBlock, "ERROR: Socket is non-blocking and the specified operation will block."},
        {10036, "ERROR: A blocking Winsock operation in progress."},
        {10037, "ERROR: The operation is completed. No blocking operation in progress"},
        {10038, "ERROR: The descriptor is not a socket."},
        {10040, "ERROR: The datagram is too large to fit into the buffer and is truncated."},
        {10043, "ERROR: The specified port is not supported."},
        {10048, "ERROR: Address in use."},
        {10049, "ERROR: Address not available from the local machine."},
        {10050, "ERROR: Network subsystem failed."},
        {10051, "ERROR: The network cannot be reached from this host at this time."},
        {10052, "ERROR: Connection has timed out when SO_KEEPALIVE is set."},
        {10053, "ERROR: Connection is aborted due to timeout or other failure."},
        {10054, "ERROR: The connection is reset by remote side.!"},
        {10055, "ERROR: No buffer space is available."},
        {10056, "ERROR: Socket is already connected."},
        {10057, "ERROR: Socket is not connected."},
        {10060, "ERROR: Socket has been shut down."},
        {10061, "ERROR: Connection is forcefully rejected."},
        {10093, "ERROR: WinsockInit should be called first."},
        {11001, "ERROR: Authoritative answer: Host not found."},
        {11002, "ERROR: Non-Authoritative answer: Host not found."},
        {11003, "ERROR: Non-recoverable errors."},
        {11004, "ERROR: Valid name, no data record of requested type."},
    };
    if (const auto it = texts.constFind(number); it != texts.constEnd())
        return QString::fromLatin1(it.value());
    return QStringLiteral("Error number ") + QString::number(number);
}
