// How many conference datagrams per second one headless peer reads, dispatches and prints
// while three known peers flood it on loopback. The figure is the number of `conference`
// lines of the flooders the peer writes to its standard output per second.
//
//   dispatch_rate [SECONDS] [DATAGRAMS_PER_SECOND_PER_SENDER]   (5, 20000; 0 = unpaced)
//
// The senders share the machine with the peer. By default together they offer 60,000 a
// second, a fifth above the target: enough to show whether the peer keeps up. Unpaced, on a
// machine of two cores, they mostly measure how well three busy senders starve the peer.
#include "HeadlessProcess.h"
#include "LoopbackSocket.h"

#include "net/ChatDatagram.h"
#include "net/NetProc.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Senders = 3;

QByteArray SenderNick(int i)
{
    return "Flood" + QByteArray::number(i + 1);
}

QByteArray ConferenceMessage(const QByteArray& nick)
{
    TChatDatagram d;
    d.Kind = static_cast<std::uint8_t>(TDatagramKind::dkConferenceMsg);
    d.SenderNick = nick;
    d.Gender = 1;
    d.TextColor = 0x00336699;
    d.PartMarker = Datagram::FirstPartMarker;
    d.Text = "a conference line of an ordinary length, from " + nick;
    return EncodeDatagram(d);
}

// Sends until told to stop, at `perSecond` datagrams a second (0: without pause). A paced
// sender sends a burst every 10 ms: sleeping between single datagrams would cost the
// machine more wake-ups than the peer under test gets.
void Flood(quint16 wirePort, QByteArray datagram, int perSecond, const std::atomic<bool>& stop,
           std::atomic<qint64>& sent)
{
    const TLoopbackSocket socket(wirePort, false);
    const auto start = std::chrono::steady_clock::now();
    const auto tick = std::chrono::milliseconds(10);
    const qint64 burst = std::max(1, perSecond / 100);
    qint64 count = 0;
    for (qint64 ticks = 1; !stop.load(std::memory_order_relaxed); ++ticks) {
        for (qint64 i = 0; i < burst || perSecond == 0; ++i) {
            if (socket.Send(datagram))
                ++count;
            if (perSecond == 0 && stop.load(std::memory_order_relaxed))
                break;
        }
        std::this_thread::sleep_until(start + ticks * tick);
    }
    sent.fetch_add(count);
}

// Counts the flooders' conference lines in the peer's output, whole lines only.
class TLineCounter
{
public:
    qint64 Lines = 0;
    void Feed(const QByteArray& chunk)
    {
        FPartial += chunk;
        qsizetype start = 0;
        for (qsizetype eol; (eol = FPartial.indexOf('\n', start)) >= 0; start = eol + 1) {
            const QByteArrayView line = QByteArrayView(FPartial).sliced(start, eol - start);
            if (line.startsWith("conference ") && line.contains("<Flood"))
                ++Lines;
        }
        FPartial.remove(0, start);
    }

private:
    QByteArray FPartial;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int perSecond = argc > 2 ? std::max(0, std::atoi(argv[2])) : 20000;
    const quint16 wirePort = static_cast<quint16>(45000 + getpid() % 400);

    THeadlessProcess peer(QStringLiteral("DispatchSink"), TChatSocket::WirePort(wirePort));
    if (!peer.Start() || !peer.WaitForLine(QStringLiteral("state Ready"), 10000)) {
        std::fprintf(stderr, "dispatch_rate: the peer did not become Ready\n");
        return 1;
    }
    // Known senders only: a stranger's message would make the peer refresh its list instead.
    const TLoopbackSocket announcer(wirePort, false);
    for (int i = 0; i < Senders; ++i) {
        announcer.Send(EncodeDatagram(MakeShortCommand(TDatagramKind::dkEnter, SenderNick(i), 1)));
        const QString entering = QStringLiteral("<%1> entering chat").arg(SenderNick(i));
        if (!peer.WaitFor([&](const QString& line) { return line.contains(entering); }, 5000)) {
            std::fprintf(stderr, "dispatch_rate: %s was not admitted\n", SenderNick(i).data());
            return 1;
        }
    }

    std::atomic<bool> stop{false};
    std::atomic<qint64> sent{0};
    const qint64 dropsBefore = UdpReceiveBufferErrors();
    std::vector<std::thread> senders;
    for (int i = 0; i < Senders; ++i)
        senders.emplace_back(Flood, wirePort, ConferenceMessage(SenderNick(i)), perSecond,
                             std::cref(stop), std::ref(sent));

    TLineCounter counter;
    const qint64 cpuBefore = peer.CpuMs();
    QElapsedTimer window;
    window.start();
    while (window.elapsed() < seconds * 1000)
        counter.Feed(peer.ReadRaw(50));
    const qint64 elapsedMs = window.elapsed();
    const qint64 lines = counter.Lines;
    const qint64 peerCpuMs = peer.CpuMs() - cpuBefore;
    stop.store(true);
    for (std::thread& t : senders)
        t.join();
    const qint64 drops = UdpReceiveBufferErrors() - dropsBefore;
    peer.Quit();

    const double rate = static_cast<double>(lines) * 1000.0 / static_cast<double>(elapsedMs);
    std::printf("offered %lld datagrams in %lld ms (%s), kernel receive-buffer drops %lld, "
                "peer used %.0f%% of one core\n",
                static_cast<long long>(sent.load()), static_cast<long long>(elapsedMs),
                perSecond > 0 ? qPrintable(QStringLiteral("%1/s per sender").arg(perSecond))
                              : "unpaced",
                static_cast<long long>(drops),
                100.0 * static_cast<double>(peerCpuMs) / static_cast<double>(elapsedMs));
    std::printf("dispatch_rate lines=%lld in %.1f s: %.0f per second (target >= 50000)\n",
                static_cast<long long>(lines), static_cast<double>(elapsedMs) / 1000.0, rate);
    return rate >= 50000 ? 0 : 2;
}
