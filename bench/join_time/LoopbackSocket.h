#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// A simulated peer's end of the chat wire: it broadcasts to 127.255.255.255 only, never to
// a real adapter. A listener is bound to the chat port beside the peer under test (both
// set SO_REUSEADDR) and so hears every broadcast; a plain sender is bound to no chosen port
// and hears nothing.
class TLoopbackSocket final
{
public:
    // wirePort: the port on the wire, i.e. the udp_port setting with its bytes exchanged.
    TLoopbackSocket(quint16 wirePort, bool listen);
    ~TLoopbackSocket();
    TLoopbackSocket(const TLoopbackSocket&) = delete;
    TLoopbackSocket& operator=(const TLoopbackSocket&) = delete;

    bool IsValid() const { return FFd >= 0; }
    bool Send(const QByteArray& bytes) const;
    // Asks for a receive buffer of `bytes` (the kernel caps it at net.core.rmem_max).
    void SetReceiveBuffer(int bytes) const;
    // One datagram, or nothing when none arrives within timeoutMs.
    std::optional<QByteArray> Receive(int timeoutMs) const;

private:
    int FFd = -1;
    quint16 FWirePort;
};

// The kernel's count of UDP datagrams dropped for a full receive buffer (all sockets of
// this network namespace), from /proc/net/snmp; -1 when it cannot be read.
qint64 UdpReceiveBufferErrors();
