// What an idle chat costs: the receive thread watching an open socket with nothing arriving,
// then watching no socket at all, each for a while with the event loop running.
//
//   idle_cpu [SECONDS]   (10 per period)
#include "net/NetProc.h"
#include "net/RecThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <arpa/inet.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// CPU used while the event loop runs for `seconds`, in percent of one core.
double CpuPercentOver(QCoreApplication& app, int seconds)
{
    QElapsedTimer wall;
    const double cpuBefore = ProcessCpuSeconds();
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    return 100.0 * cpu / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    // Loopback only, on a port of this run's own.
    TChatSocket socket;
    socket.SetChatPort(TChatSocket::WirePort(static_cast<quint16>(42000 + getpid() % 1000)));
    socket.SetBroadcastAddress(htonl(0x7FFFFFFF));
    int error = 0;
    if (!socket.Open(error)) {
        std::fprintf(stderr, "idle_cpu: cannot open the socket, error %d\n", error);
        return 1;
    }

    QObject target;
    int received = 0;
    TRecThread watcher(socket, &target, [&] {
        QByteArray buffer;
        int readError = 0;
        if (socket.Receive(buffer, readError))
            ++received;
    });
    watcher.start();

    // One datagram first, so the figures are those of a watcher that really hands over.
    TChatDatagram probe = MakeShortCommand(TDatagramKind::dkEnter, "idle_cpu", 2);
    if (!socket.Send(probe, error)) {
        std::fprintf(stderr, "idle_cpu: cannot send, error %d\n", error);
        return 1;
    }

    const double open = CpuPercentOver(app, seconds);
    std::printf("socket open for %d s: %.3f%% of one core, %d datagram(s) handed over\n", seconds,
                open, received);
    socket.Close(error);
    const double closed = CpuPercentOver(app, seconds);
    std::printf("socket closed for %d s: %.3f%% of one core\n", seconds, closed);
    watcher.Stop();

    std::printf("idle_cpu open=%.3f%% closed=%.3f%% (target < 0.1%%)\n", open, closed);
    return received == 1 ? 0 : 2;
}
