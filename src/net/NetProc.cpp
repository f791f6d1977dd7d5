#include "net/NetProc.h"

#include "net/IpAddress.h"
#include "net/LocalAddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Do-not-route, as the peers have always sent (4 on Windows and on Linux alike).
constexpr int SendFlags = MSG_DONTROUTE;
constexpr std::size_t HostNameCapacity = 512;
// A list refresh brings every peer's answer at once. The kernel's default buffer holds only a
// few hundred small datagrams, and the rest of a burst would be lost before the receive
// thread gets to them; this holds well over a thousand.
constexpr int ReceiveBufferBytes = 1 << 20;

// Beyond net.core.rmem_max only a privileged process may go (SO_RCVBUFFORCE); anyone else
// gets what the cap allows. Either way a smaller buffer is no reason to refuse the chat.
void RequestLargeReceiveBuffer(int fd)
{
    const int bytes = ReceiveBufferBytes;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        (void)::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

} // namespace

TChatSocket::~TChatSocket()
{
    int error = 0;
    Close(error);
}

void TChatSocket::Reset()
{
    FOpen.store(false, std::memory_order_release);
    FSocket.store(InvalidSocket, std::memory_order_release);
}

void TChatSocket::SetChatPort(quint16 setting)
{
    FChatPort = setting;
}

quint16 TChatSocket::WirePort(quint16 setting)
{
    return static_cast<quint16>((setting >> 8) | (setting << 8));
}

void TChatSocket::SetBroadcastAddress(std::uint32_t addressNetworkOrder)
{
    FBroadcast = addressNetworkOrder;
    FHasDestination = true;
}

bool TChatSocket::Open(int& error)
{
    error = 0;
    if (IsOpen())
        return true;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0) {
        error = errno;
        return false;
    }
    // A failed step closes the socket again, so a later attempt does not leak one.
    auto fail = [&] {
        error = errno;
        ::close(fd);
        return false;
    };
    const int reuse = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0)
        return fail();
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(WirePort(FChatPort));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        return fail();
    const int broadcast = ~0;
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &broadcast, sizeof broadcast) != 0)
        return fail();
    RequestLargeReceiveBuffer(fd);
    FSocket.store(fd, std::memory_order_release);
    FOpen.store(true, std::memory_order_release);
    LookUpLocalHost();
    return true;
}

void TChatSocket::LookUpLocalHost()
{
    FHostName.clear();
    FLocalIp = {};
    FLocalIpText.clear();
    char name[HostNameCapacity + 1] = {};
    if (::gethostname(name, HostNameCapacity) != 0)
        return;
    FHostName = QString::fromLocal8Bit(name);
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    std::vector<std::uint32_t> addresses;
    if (::getaddrinfo(name, nullptr, &hints, &found) == 0) {
        for (const addrinfo* a = found; a; a = a->ai_next)
            addresses.push_back(reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
        ::freeaddrinfo(found);
    }
    const std::uint32_t chosen =
        ChooseLocalAddress(addresses, AvailableNetInterfaces(), FBroadcast);
    if (chosen == 0)
        return;
    std::memcpy(FLocalIp.data(), &chosen, FLocalIp.size());
    FLocalIpText = AddressToDotted(chosen);
}

bool TChatSocket::Poll(int& error, int timeoutMs)
{
    error = 0;
    if (!IsOpen())
        return false;
    pollfd watch{Handle(), POLLIN, 0};
    const int ready = ::poll(&watch, 1, timeoutMs);
    if (ready < 0) {
        error = errno;
        return false;
    }
    return ready > 0 && (watch.revents & (POLLIN | POLLERR));
}

bool TChatSocket::Receive(QByteArray& buffer, int& error)
{
    error = 0;
    if (!IsOpen())
        return false;
    buffer = QByteArray(Datagram::MaxSize, '\0');
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t received =
        ::recvfrom(Handle(), buffer.data(), static_cast<std::size_t>(buffer.size()), MSG_DONTWAIT,
                   reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (received < 0) {
        error = errno;
        buffer.clear();
        return false;
    }
    buffer.resize(static_cast<qsizetype>(received));
    return true;
}

bool TChatSocket::Send(const TChatDatagram& datagram, int& error)
{
    error = 0;
    if (!IsOpen())
        return false;
    // Without an address from the settings there is nowhere safe to send to.
    if (!FHasDestination) {
        error = EDESTADDRREQ;
        return false;
    }
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_addr.s_addr = FBroadcast;
    destination.sin_port = htons(WirePort(FChatPort));
    const QByteArray bytes = EncodeDatagram(datagram);
    const ssize_t sent =
        ::sendto(Handle(), bytes.constData(), static_cast<std::size_t>(bytes.size()), SendFlags,
                 reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    if (sent < 0) {
        error = errno;
        return false;
    }
    return true;
}

bool TChatSocket::Close(int& error)
{
    error = 0;
    if (!IsOpen())
        return true;
    const int fd = Handle();
    FOpen.store(false, std::memory_order_release);
    FSocket.store(InvalidSocket, std::memory_order_release);
    // The descriptor is released even when close reports an error, so the endpoint counts as
    // closed either way: closing it again could hit a descriptor reused by someone else.
    if (::close(fd) != 0) {
        error = errno;
        return false;
    }
    return true;
}

TChatSocket& ChatEndpoint()
{
    static TChatSocket endpoint;
    return endpoint;
}

void ResetChatSocket()
{
    ChatEndpoint().Reset();
}

void SetBroadcastAddress(std::uint32_t addressNetworkOrder)
{
    ChatEndpoint().SetBroadcastAddress(addressNetworkOrder);
}

void SetChatPort(quint16 setting)
{
    ChatEndpoint().SetChatPort(setting);
}

bool OpenChatSocket(int& error)
{
    return ChatEndpoint().Open(error);
}

bool PollChatSocket(int& error)
{
    return ChatEndpoint().Poll(error);
}

bool ReceiveDatagram(QByteArray& buffer, int& error)
{
    return ChatEndpoint().Receive(buffer, error);
}

bool SendDatagram(const TChatDatagram& datagram, int& error)
{
    return ChatEndpoint().Send(datagram, error);
}

bool CloseChatSocket(int& error)
{
    return ChatEndpoint().Close(error);
}

QString LocalHostName()
{
    return ChatEndpoint().HostName();
}

QString LocalIpText()
{
    return ChatEndpoint().LocalIpText();
}

std::array<quint8, 4> LocalIpBytes()
{
    return ChatEndpoint().LocalIpBytes();
}
