#include "net/RecThread.h"

#include "net/NetProc.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

// A blocking wait, not a 10-microsecond busy loop: that would keep a whole core busy.
constexpr int WaitMs = 100;

} // namespace

TRecThread::TRecThread(TChatSocket& socket, QObject* target, TDataReadyCallback callback,
                       QObject* parent)
    : QThread(parent), FSocket(socket), FTarget(target), FCallback(std::move(callback)),
      FRelay(std::make_unique<QObject>()), FWakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (target)
        FRelay->moveToThread(target->thread());
}

TRecThread::~TRecThread()
{
    Stop();
    if (FWakeFd >= 0)
        ::close(FWakeFd);
}

void TRecThread::Stop()
{
    FStopRequested.store(true);
    // Wakes the wait at once instead of at its time-out.
    if (FWakeFd >= 0) {
        const eventfd_t one = 1;
        (void)::write(FWakeFd, &one, sizeof one);
    }
    // The loop may be blocked in a hand-over that waits for this very thread; withdrawing the
    // queued call releases it (a blocking call's waiter is freed when its event is destroyed).
    while (!wait(QDeadlineTimer(10)))
        QCoreApplication::removePostedEvents(FRelay.get(), QEvent::MetaCall);
}

void TRecThread::run()
{
    while (!FStopRequested.load()) {
        if (!WaitForData())
            continue;
        FHandingOver.store(true);
        if (!FStopRequested.load())
            QMetaObject::invokeMethod(
                FRelay.get(), [this] { HandOver(); }, Qt::BlockingQueuedConnection);
        FHandingOver.store(false);
    }
}

bool TRecThread::WaitForData()
{
    pollfd watch[2] = {{FWakeFd, POLLIN, 0}, {TChatSocket::InvalidSocket, POLLIN, 0}};
    nfds_t count = 1;
    if (FSocket.IsOpen()) {
        watch[1].fd = FSocket.Handle();
        count = 2;
    }
    if (::poll(watch, count, WaitMs) <= 0 || count < 2)
        return false;
    // POLLNVAL: the main thread closed the socket under the wait; the open flag says so next.
    if (watch[1].revents & POLLNVAL) {
        QThread::msleep(WaitMs);
        return false;
    }
    return watch[1].revents & (POLLIN | POLLERR);
}

void TRecThread::HandOver()
{
    // The socket may have been closed, or the datagram read, since the wait saw it; the
    // callback is told only of a datagram that is really there.
    int error = 0;
    if (FStopRequested.load() || !FTarget || !FCallback || !FSocket.Poll(error))
        return;
    FCallback();
}
