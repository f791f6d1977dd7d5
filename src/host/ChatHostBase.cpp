#include "host/ChatHostBase.h"

#include "chat/ChatEngine.h"
#include "net/NetProc.h"
#include "net/RecThread.h"

TChatHostBase::TChatHostBase(TChatSocket& socket, QObject* parent)
    : QObject(parent), FSocket(socket)
{
    FClock.start();
    for (int i = 0; i < ChatTimerCount; ++i) {
        FTimers[i].setSingleShot(true);
        FTimers[i].setTimerType(Qt::PreciseTimer);
        connect(&FTimers[i], &QTimer::timeout, this, [this, i] {
            const auto timer = static_cast<TChatTimer>(i);
            if (FEngine)
                FEngine->TimerExpired(timer);
            TimerHandled(timer);
        });
    }
}

TChatHostBase::~TChatHostBase()
{
    StopReceiveThread();
}

void TChatHostBase::AttachEngine(TChatEngine& engine)
{
    FEngine = &engine;
    FThread = std::make_unique<TRecThread>(FSocket, this, [this] { FEngine->RecTimerTimer(); });
}

void TChatHostBase::StopReceiveThread()
{
    if (FThread)
        FThread->Stop();
}

bool TChatHostBase::OpenChatSocket(int& error)
{
    const bool opened = FSocket.Open(error);
    if (FThread)
        FThread->SocketChanged();
    return opened;
}

bool TChatHostBase::CloseChatSocket(int& error)
{
    const bool closed = FSocket.Close(error);
    if (FThread)
        FThread->SocketChanged();
    return closed;
}

bool TChatHostBase::SendDatagram(const TChatDatagram& datagram, int& error)
{
    if (!FSocket.Send(datagram, error))
        return false;
    DatagramSent(datagram);
    return true;
}

bool TChatHostBase::ReceiveDatagram(QByteArray& bytes, int& error)
{
    return FSocket.Receive(bytes, error);
}

QString TChatHostBase::LocalAddressText() const
{
    return FSocket.LocalIpText();
}

QString TChatHostBase::LocalHostName() const
{
    return FSocket.HostName();
}

void TChatHostBase::ResumeReceiveThread()
{
    if (FThread && !FThread->isRunning())
        FThread->start();
}

qint64 TChatHostBase::MonotonicMs() const
{
    return FClock.elapsed();
}

QDateTime TChatHostBase::LocalNow() const
{
    return QDateTime::currentDateTime();
}

void TChatHostBase::StartTimer(TChatTimer timer, int intervalMs)
{
    FTimers[static_cast<int>(timer)].start(intervalMs);
}

void TChatHostBase::StopTimer(TChatTimer timer)
{
    FTimers[static_cast<int>(timer)].stop();
}
