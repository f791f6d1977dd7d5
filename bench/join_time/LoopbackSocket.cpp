#include "LoopbackSocket.h"

#include <QFile>
#include <QList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t LoopbackBroadcast = 0x7FFFFFFF; // 127.255.255.255

} // namespace

TLoopbackSocket::TLoopbackSocket(quint16 wirePort, bool listen) : FWirePort(wirePort)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0)
        return;
    const int on = 1;
    bool ok = ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 &&
              ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0;
    if (ok && listen) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        local.sin_port = htons(wirePort);
        ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
    }
    if (!ok) {
        ::close(fd);
        return;
    }
    FFd = fd;
}

TLoopbackSocket::~TLoopbackSocket()
{
    if (FFd >= 0)
        ::close(FFd);
}

bool TLoopbackSocket::Send(const QByteArray& bytes) const
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(LoopbackBroadcast);
    to.sin_port = htons(FWirePort);
    return ::sendto(FFd, bytes.constData(), static_cast<std::size_t>(bytes.size()), 0,
                    reinterpret_cast<const sockaddr*>(&to), sizeof to) == bytes.size();
}

void TLoopbackSocket::SetReceiveBuffer(int bytes) const
{
    ::setsockopt(FFd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

std::optional<QByteArray> TLoopbackSocket::Receive(int timeoutMs) const
{
    pollfd watch{FFd, POLLIN, 0};
    if (::poll(&watch, 1, timeoutMs) <= 0)
        return std::nullopt;
    QByteArray buffer(2048, '\0');
    const ssize_t n = ::recv(FFd, buffer.data(), static_cast<std::size_t>(buffer.size()), 0);
    if (n < 0)
        return std::nullopt;
    buffer.resize(n);
    return buffer;
}

qint64 UdpReceiveBufferErrors()
{
    QFile snmp(QStringLiteral("/proc/net/snmp"));
    if (!snmp.open(QIODevice::ReadOnly))
        return -1;
    // Two "Udp:" lines: the field names, then the values.
    QList<QByteArray> names;
    for (const QByteArray& line : snmp.readAll().split('\n')) {
        if (!line.startsWith("Udp: "))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (names.isEmpty()) {
            names = fields;
            continue;
        }
        const qsizetype at = names.indexOf("RcvbufErrors");
        return at > 0 && at < fields.size() ? fields[at].toLongLong() : -1;
    }
    return -1;
}
