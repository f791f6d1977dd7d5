// How long a peer alone on its network takes from the start of its process to "Ready": the
// program's own start-up plus the 500 ms claim and the 1000 ms list refresh it must wait.
//
//   join_time [RUNS]   (5)
#include "HeadlessProcess.h"

#include "net/NetProc.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const quint16 wirePort = static_cast<quint16>(44100 + getpid() % 400);
    const quint16 setting = TChatSocket::WirePort(wirePort);

    std::vector<qint64> ready;
    for (int run = 1; run <= runs; ++run) {
        THeadlessProcess peer(QStringLiteral("JoinTime"), setting);
        if (!peer.Start()) {
            std::fprintf(stderr, "join_time: cannot start %s\n",
                         qPrintable(THeadlessProcess::Program()));
            return 1;
        }
        const std::optional<qint64> connecting =
            peer.WaitForLine(QStringLiteral("state Connecting..."), 10000);
        const std::optional<qint64> done = peer.WaitForLine(QStringLiteral("state Ready"), 10000);
        if (!connecting || !done) {
            std::fprintf(stderr, "join_time: run %d never became Ready\n", run);
            return 1;
        }
        std::printf("run %d: Connecting... after %lld ms, Ready after %lld ms\n", run,
                    static_cast<long long>(*connecting), static_cast<long long>(*done));
        ready.push_back(*done);
        peer.Quit();
    }
    std::sort(ready.begin(), ready.end());
    const qint64 median = ready[ready.size() / 2];
    std::printf("join_time runs=%d min=%lld ms median=%lld ms max=%lld ms (target < 1600 ms)\n",
                runs, static_cast<long long>(ready.front()), static_cast<long long>(median),
                static_cast<long long>(ready.back()));
    return ready.back() < 1600 ? 0 : 2;
}
