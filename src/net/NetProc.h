#pragma once

#include "net/ChatDatagram.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <cstdint>

// The chat's UDP endpoint: one socket bound to the chat port with broadcast permission,
// sending every datagram to one broadcast destination.
//
// Every operation that can fail returns false and puts errno into `error`; an operation
// refused because the socket is not open leaves `error` at 0. Everything but IsOpen() and
// Handle() belongs to the main thread; the receive thread only reads those two.
class TChatSocket final
{
public:
    static constexpr int InvalidSocket = -1;

    TChatSocket() = default;
    // Closes the socket if it is still open.
    ~TChatSocket();
    Q_DISABLE_COPY_MOVE(TChatSocket)

    // Forgets the socket without closing it: handle invalid, not open.
    void Reset();
    // The udp_port setting. The port on the wire is this value with its two bytes exchanged
    // (9567 -> 24357), the same on every host byte order, so all peers meet on it.
    void SetChatPort(quint16 setting);
    quint16 ChatPort() const { return FChatPort; }
    static quint16 WirePort(quint16 setting);
    void SetBroadcastAddress(std::uint32_t addressNetworkOrder);

    // Already open: true at once. Also looks up the local host name and address; their
    // failure is not an error of the open.
    bool Open(int& error);
    // True when a datagram (or a pending socket error) waits; waits at most timeoutMs.
    bool Poll(int& error, int timeoutMs = 0);
    // One datagram of at most 557 bytes; `buffer` holds exactly the bytes received. Never
    // blocks: with nothing waiting it fails with EAGAIN.
    bool Receive(QByteArray& buffer, int& error);
    // The 107 + TextLength bytes of the datagram, to the broadcast destination.
    bool Send(const TChatDatagram& datagram, int& error);
    // Not open: true without touching the platform.
    bool Close(int& error);

    bool IsOpen() const { return FOpen.load(std::memory_order_acquire); }
    int Handle() const { return FSocket.load(std::memory_order_acquire); }

    // Filled by a successful open, empty until then.
    QString HostName() const { return FHostName; }
    std::array<quint8, 4> LocalIpBytes() const { return FLocalIp; }
    QString LocalIpText() const { return FLocalIpText; }

private:
    void LookUpLocalHost();

    std::atomic<int> FSocket{InvalidSocket};
    std::atomic<bool> FOpen{false};
    quint16 FChatPort = 0;
    std::uint32_t FBroadcast = 0;
    bool FHasDestination = false;
    QString FHostName;
    std::array<quint8, 4> FLocalIp{};
    QString FLocalIpText;
};

// The process's own endpoint, the one the program chats on.
TChatSocket& ChatEndpoint();

// The endpoint's operations under the names the rest of the program knows them by.
void ResetChatSocket();
void SetBroadcastAddress(std::uint32_t addressNetworkOrder);
void SetChatPort(quint16 setting);
bool OpenChatSocket(int& error);
bool PollChatSocket(int& error);
bool ReceiveDatagram(QByteArray& buffer, int& error);
bool SendDatagram(const TChatDatagram& datagram, int& error);
bool CloseChatSocket(int& error);
QString LocalHostName();
QString LocalIpText();
std::array<quint8, 4> LocalIpBytes();
