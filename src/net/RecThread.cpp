#include "net/RecThread.h"

#include "net/NetProc.h"

#include <cerrno>
#include <chrono>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

// A blocking wait, not a 10-microsecond busy loop: that would keep a whole core busy.
// An idle chat should not wake the machine: the wait ends on data, on a stop and on a change
// of the socket (SocketChanged); the time-out only backs up a change nobody announced.
constexpr int WaitMs = 2000;
// After the socket was closed under the wait, before the next look at it.
constexpr int ClosedRetryMs = 100;
// Right after a hand-over each side waits this long for the other before it sleeps: under
// load the next datagram is there within microseconds, and sleeping costs each side a
// context switch per datagram.
constexpr auto SpinLimit = std::chrono::microseconds(30);
// How long one turn of the target's event loop keeps taking datagrams, so that its timers
// and other input are served between.
constexpr auto ChainLimit = std::chrono::milliseconds(2);

template <typename Ready> bool SpinUntil(Ready ready)
{
    const auto until = std::chrono::steady_clock::now() + SpinLimit;
    for (;;) {
        for (int i = 0; i < 64; ++i) {
            if (ready())
                return true;
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        }
        if (std::chrono::steady_clock::now() >= until)
            return ready();
    }
}

} // namespace

TRecThread::TRecThread(TChatSocket& socket, QObject* target, TDataReadyCallback callback,
                       QObject* parent)
    : QThread(parent), FSocket(socket), FTarget(target), FCallback(std::move(callback)),
      FHandOverFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), FDoneFd(::eventfd(0, EFD_CLOEXEC)),
      FWakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (FHandOverFd >= 0 && FDoneFd >= 0) {
        FNotifier = std::make_unique<QSocketNotifier>(FHandOverFd, QSocketNotifier::Read);
        if (target)
            FNotifier->moveToThread(target->thread());
        QObject::connect(FNotifier.get(), &QSocketNotifier::activated, FNotifier.get(),
                         [this] { HandOver(); });
    }
}

TRecThread::~TRecThread()
{
    Stop();
    FNotifier.reset();
    for (int fd : {FWakeFd, FHandOverFd, FDoneFd})
        if (fd >= 0)
            ::close(fd);
}

void TRecThread::Stop()
{
    FStopRequested.store(true);
    // Wakes the wait at once instead of at its time-out.
    if (FWakeFd >= 0)
        (void)::eventfd_write(FWakeFd, 1);
    // The loop may be waiting for a hand-over that this thread, busy here, will not serve.
    ReleaseWaiter();
    wait();
    if (FNotifier)
        FNotifier->setEnabled(false);
    if (FHandOverFd >= 0) {
        eventfd_t pending = 0;
        (void)::eventfd_read(FHandOverFd, &pending);
    }
}

void TRecThread::SocketChanged()
{
    if (FWakeFd >= 0)
        (void)::eventfd_write(FWakeFd, 1);
}

void TRecThread::run()
{
    if (!FNotifier)
        return;
    while (!FStopRequested.load()) {
        if (!WaitForData())
            continue;
        FHandingOver.store(true);
        // Cleared before the stop flag is read: a Stop() that this loop does not see has not
        // yet marked the hand-over returned, and its mark is not lost.
        FReturned.store(false);
        if (!FStopRequested.load()) {
            FRequest.store(true);
            // A target still spinning after its previous hand-over takes this one without
            // being woken.
            if (!FTargetSpinning.load())
                (void)::eventfd_write(FHandOverFd, 1);
            WaitForReturn();
        }
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
    if (::poll(watch, count, WaitMs) <= 0)
        return false;
    if (watch[0].revents & POLLIN) {
        // A stop or a change of the socket; the loop looks at both again.
        eventfd_t changes = 0;
        (void)::eventfd_read(FWakeFd, &changes);
        if (FStopRequested.load())
            (void)::eventfd_write(FWakeFd, 1);
        return false;
    }
    if (count < 2)
        return false;
    // POLLNVAL: the main thread closed the socket under the wait; the open flag says so next.
    if (watch[1].revents & POLLNVAL) {
        QThread::msleep(ClosedRetryMs);
        return false;
    }
    return watch[1].revents & (POLLIN | POLLERR);
}

void TRecThread::HandOver()
{
    eventfd_t requests = 0;
    (void)::eventfd_read(FHandOverFd, &requests);
    const auto until = std::chrono::steady_clock::now() + ChainLimit;
    while (FRequest.exchange(false)) {
        // The socket may have been closed, or the datagram read, since the wait saw it; the
        // callback is told only of a datagram that is really there.
        int error = 0;
        if (!FStopRequested.load() && FTarget && FCallback && FSocket.Poll(error))
            FCallback();
        // Marked before the release, so the next request does not write the descriptor.
        const bool chain = std::chrono::steady_clock::now() < until;
        FTargetSpinning.store(chain);
        ReleaseWaiter();
        if (!chain)
            break;
        SpinUntil([this] { return FRequest.load(); });
        FTargetSpinning.store(false);
    }
}

void TRecThread::WaitForReturn()
{
    if (SpinUntil([this] { return FReturned.load(); }))
        return;
    FWaiterSleeping.store(true);
    if (FReturned.load() && FWaiterSleeping.exchange(false))
        return; // returned meanwhile, and the target will not write the descriptor
    eventfd_t returned = 0;
    while (::eventfd_read(FDoneFd, &returned) != 0 && errno == EINTR) {
    }
}

void TRecThread::ReleaseWaiter()
{
    FReturned.store(true);
    if (FWaiterSleeping.exchange(false))
        (void)::eventfd_write(FDoneFd, 1);
}
