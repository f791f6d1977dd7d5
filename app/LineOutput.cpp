#include "LineOutput.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace {

// A batch that grows this large goes out before its window ends.
constexpr qsizetype MaxPending = 64 * 1024;

} // namespace

TLineOutput::TLineOutput(int fd, int windowMs) : FFd(fd), FWindowMs(windowMs)
{
    FWindowEnd.setSingleShot(true);
    FWindowEnd.setTimerType(Qt::PreciseTimer);
    QObject::connect(&FWindowEnd, &QTimer::timeout, [this] { Flush(); });
}

TLineOutput::~TLineOutput()
{
    Flush();
}

void TLineOutput::Write(const QByteArray& line)
{
    FPending += line;
    if (!FLastWrite.isValid() || FLastWrite.elapsed() >= FWindowMs ||
        FPending.size() >= MaxPending)
        Flush();
    else if (!FWindowEnd.isActive())
        FWindowEnd.start(FWindowMs);
}

void TLineOutput::Flush()
{
    FWindowEnd.stop();
    FLastWrite.start();
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
