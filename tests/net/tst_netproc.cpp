#include "net/NetProc.h"

#include "DatagramToString.h"

#include <QDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A wire port of this test run's own; the setting is its byte-swapped value.
quint16 TestWirePort()
{
    return static_cast<quint16>(40000 + getpid() % 1000);
}

quint16 TestSetting()
{
    return TChatSocket::WirePort(TestWirePort());
}

const std::uint32_t LoopbackBroadcast = htonl(0x7FFFFFFF); // 127.255.255.255

void Configure(TChatSocket& socket)
{
    socket.SetChatPort(TestSetting());
    socket.SetBroadcastAddress(LoopbackBroadcast);
}

TChatDatagram Conference(int textLength)
{
    TChatDatagram d;
    d.SenderNick = "Tester";
    d.PartMarker = Datagram::FirstPartMarker;
    SetDatagramText(QByteArray(textLength, 'q'), d);
    return d;
}

int SocketOption(int fd, int option)
{
    int value = 0;
    socklen_t length = sizeof value;
    getsockopt(fd, SOL_SOCKET, option, &value, &length);
    return value;
}

int OpenDescriptors()
{
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size());
}

// Waits for the loopback delivery, then reads one datagram.
QByteArray ReceiveOne(TChatSocket& socket)
{
    int error = 0;
    if (!socket.Poll(error, 5000))
        return "nothing arrived";
    QByteArray buffer;
    if (!socket.Receive(buffer, error))
        return "receive failed " + QByteArray::number(error);
    return buffer;
}

} // namespace

class TestNetProc : public QObject
{
    Q_OBJECT
private slots:
    void wirePort_data();
    void wirePort();
    void boundToSwappedPortWithOptions();
    void refusedWhenNotOpen();
    void openAndCloseTwice();
    void failedOpenLeavesNothingOpen();
    void failedCloseStillReleases();
    void twoPeersOnOnePortBothReceive();
    void shortDatagramAfterFullOne();
    void sendWithoutDestinationFails();
    void localHostLookedUpOnOpen();
    void processEndpointFunctions();
};

void TestNetProc::wirePort_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("wire");
    QTest::newRow("default") << 9567 << 24357;
    QTest::newRow("bytes exchanged") << 0x0102 << 0x0201;
    QTest::newRow("high byte only") << 0xFF00 << 0x00FF;
    QTest::newRow("zero") << 0 << 0;
}

void TestNetProc::wirePort()
{
    QFETCH(int, setting);
    QFETCH(int, wire);
    QCOMPARE(TChatSocket::WirePort(quint16(setting)), quint16(wire));
}

void TestNetProc::boundToSwappedPortWithOptions()
{
    TChatSocket socket;
    Configure(socket);
    int error = -1;
    QVERIFY(socket.Open(error));
    QCOMPARE(error, 0);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    QCOMPARE(getsockname(socket.Handle(), reinterpret_cast<sockaddr*>(&bound), &length), 0);
    QCOMPARE(ntohs(bound.sin_port), TestWirePort());
    QCOMPARE(bound.sin_addr.s_addr, htonl(INADDR_ANY));
    QVERIFY(SocketOption(socket.Handle(), SO_BROADCAST) != 0);
    QVERIFY(SocketOption(socket.Handle(), SO_REUSEADDR) != 0);
    QCOMPARE(SocketOption(socket.Handle(), SO_REUSEPORT), 0);
}

void TestNetProc::refusedWhenNotOpen()
{
    TChatSocket socket;
    Configure(socket);
    for (int round = 0; round < 2; ++round) {
        int error = -1;
        QVERIFY(!socket.Poll(error));
        QCOMPARE(error, 0);
        error = -1;
        QByteArray buffer("untouched");
        QVERIFY(!socket.Receive(buffer, error));
        QCOMPARE(error, 0);
        error = -1;
        QVERIFY(!socket.Send(Conference(3), error));
        QCOMPARE(error, 0);
        // Second round: after an open and a close.
        QVERIFY(socket.Open(error));
        QVERIFY(socket.Close(error));
    }
}

void TestNetProc::openAndCloseTwice()
{
    TChatSocket socket;
    Configure(socket);
    int error = -1;
    QVERIFY(socket.Open(error));
    const int handle = socket.Handle();
    QVERIFY(socket.Open(error));
    QCOMPARE(socket.Handle(), handle);
    QVERIFY(socket.Close(error));
    QVERIFY(!socket.IsOpen());
    QCOMPARE(socket.Handle(), TChatSocket::InvalidSocket);
    error = -1;
    QVERIFY(socket.Close(error));
    QCOMPARE(error, 0);
}

void TestNetProc::failedOpenLeavesNothingOpen()
{
    // A socket bound to the port without address reuse keeps everybody else off it.
    const int squatter = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(TestWirePort());
    QCOMPARE(bind(squatter, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    TChatSocket socket;
    Configure(socket);
    const int before = OpenDescriptors();
    int error = 0;
    QVERIFY(!socket.Open(error));
    QCOMPARE(error, EADDRINUSE);
    QVERIFY(!socket.IsOpen());
    QCOMPARE(socket.Handle(), TChatSocket::InvalidSocket);
    QCOMPARE(OpenDescriptors(), before);
    close(squatter);

    QVERIFY(socket.Open(error));
}

void TestNetProc::failedCloseStillReleases()
{
    TChatSocket socket;
    Configure(socket);
    int error = 0;
    QVERIFY(socket.Open(error));
    close(socket.Handle()); // gone behind the endpoint's back
    QVERIFY(!socket.Close(error));
    QCOMPARE(error, EBADF);
    QVERIFY(!socket.IsOpen());
    QVERIFY(socket.Close(error));
}

void TestNetProc::twoPeersOnOnePortBothReceive()
{
    TChatSocket first;
    TChatSocket second;
    Configure(first);
    Configure(second);
    int error = 0;
    QVERIFY(first.Open(error));
    QVERIFY(second.Open(error));
    const TChatDatagram sent = Conference(42);
    QVERIFY(first.Send(sent, error));
    QCOMPARE(DecodeDatagram(ReceiveOne(first)), sent);
    QCOMPARE(DecodeDatagram(ReceiveOne(second)), sent);
}

void TestNetProc::shortDatagramAfterFullOne()
{
    TChatSocket socket;
    Configure(socket);
    int error = 0;
    QVERIFY(socket.Open(error));
    const TChatDatagram full = Conference(Datagram::MaxTextLength);
    const TChatDatagram shorter = Conference(300 - Datagram::HeaderSize);
    QVERIFY(socket.Send(full, error));
    QVERIFY(socket.Send(shorter, error));

    QCOMPARE(ReceiveOne(socket), EncodeDatagram(full));
    const QByteArray second = ReceiveOne(socket);
    QCOMPARE(second.size(), 300);
    QCOMPARE(DecodeDatagram(second), shorter);
    // Nothing waits any more: a read now fails instead of blocking the main thread.
    QByteArray buffer;
    QVERIFY(!socket.Receive(buffer, error));
    QCOMPARE(error, EAGAIN);
}

void TestNetProc::sendWithoutDestinationFails()
{
    TChatSocket socket;
    socket.SetChatPort(TestSetting());
    int error = 0;
    QVERIFY(socket.Open(error));
    QVERIFY(!socket.Send(Conference(1), error));
    QCOMPARE(error, EDESTADDRREQ);
}

void TestNetProc::localHostLookedUpOnOpen()
{
    TChatSocket socket;
    Configure(socket);
    QVERIFY(socket.HostName().isEmpty());
    QVERIFY(socket.LocalIpText().isEmpty());
    int error = 0;
    QVERIFY(socket.Open(error));
    char name[513] = {};
    QCOMPARE(gethostname(name, 512), 0);
    QCOMPARE(socket.HostName(), QString::fromLocal8Bit(name));
    const auto ip = socket.LocalIpBytes();
    if (!socket.LocalIpText().isEmpty())
        QCOMPARE(socket.LocalIpText(),
                 QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]));
}

void TestNetProc::processEndpointFunctions()
{
    ResetChatSocket();
    SetChatPort(TestSetting());
    SetBroadcastAddress(LoopbackBroadcast);
    int error = -1;
    QVERIFY(!SendDatagram(Conference(1), error));
    QCOMPARE(error, 0);
    QVERIFY(OpenChatSocket(error));
    QCOMPARE(LocalHostName(), ChatEndpoint().HostName());
    const TChatDatagram sent = MakeShortCommand(TDatagramKind::dkEnter, "Tester", 2);
    QVERIFY(SendDatagram(sent, error));
    QVERIFY(ChatEndpoint().Poll(error, 5000));
    QVERIFY(PollChatSocket(error));
    QByteArray buffer;
    QVERIFY(ReceiveDatagram(buffer, error));
    QCOMPARE(buffer.size(), Datagram::HeaderSize);
    QCOMPARE(DecodeDatagram(buffer), sent);
    QVERIFY(CloseChatSocket(error));
    QVERIFY(CloseChatSocket(error));
}

QTEST_APPLESS_MAIN(TestNetProc)
#include "tst_netproc.moc"
