#include "LineOutput.h"

#include <QAbstractEventDispatcher>
#include <QThread>

#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace {

// A batch that grows this large goes out at once.
constexpr qsizetype MaxPending = 64 * 1024;

} // namespace

TLineOutput::TLineOutput(int fd, int maxAgeMs) : FFd(fd), FMaxAgeMs(maxAgeMs)
{
    if (QAbstractEventDispatcher* loop =
            QAbstractEventDispatcher::instance(QThread::currentThread()))
        FBeforeWait =
            QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, [this] { Flush(); });
}

TLineOutput::~TLineOutput()
{
    QObject::disconnect(FBeforeWait);
    Flush();
}

void TLineOutput::Write(const QByteArray& line)
{
    if (FPending.isEmpty())
        FFirstPending.start();
    FPending += line;
    if (!FBeforeWait || FPending.size() >= MaxPending || FFirstPending.elapsed() >= FMaxAgeMs)
        Flush();
}

void TLineOutput::Flush()
{
    qsizetype done = 0;
    while (done < FPending.size()) {
        const ssize_t n = ::write(FFd, FPending.constData() + done,
                                  static_cast<std::size_t>(FPending.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // An output left non-blocking by whoever started us: wait for room, as a
            // blocking write would.
            pollfd room{FFd, POLLOUT, 0};
            (void)::poll(&room, 1, -1);
            continue;
        }
        if (n <= 0)
            break; // a closed pipe: nobody reads these lines any more
        done += n;
    }
    FPending.clear();
}
