#include "FuzzChatHost.h"

#include <QDate>
#include <QTime>

#include <cstdio>
#include <cstdlib>

std::optional<TChatTimer> TFuzzChatHost::NextTimer() const
{
    std::optional<TChatTimer> next;
    for (int t = 0; t < ChatTimerCount; ++t)
        if (Deadlines[t] && (!next || *Deadlines[t] < *Deadlines[static_cast<int>(*next)]))
            next = static_cast<TChatTimer>(t);
    return next;
}

bool TFuzzChatHost::OpenChatSocket(int& error)
{
    error = 0;
    return true;
}

bool TFuzzChatHost::CloseChatSocket(int& error)
{
    error = 0;
    return true;
}

bool TFuzzChatHost::SendDatagram(const TChatDatagram& datagram, int& error)
{
    // Checked here, at the moment of sending, so a crash report shows who sent it.
    const QByteArray wire = EncodeDatagram(datagram);
    if (wire.size() > Datagram::MaxSize || datagram.Text.size() > Datagram::MaxTextLength) {
        std::fprintf(stderr, "engine sent %lld bytes (text %lld)\n",
                     static_cast<long long>(wire.size()),
                     static_cast<long long>(datagram.Text.size()));
        std::abort();
    }
    error = 0;
    ++SentCount;
    Outbox.push_back(datagram);
    return true;
}

bool TFuzzChatHost::ReceiveDatagram(QByteArray& bytes, int& error)
{
    // The engine is fed through DispatchDatagram; a hand-over with nothing waiting is what
    // the receive error path exists for.
    bytes.clear();
    error = 11;
    return false;
}

QDateTime TFuzzChatHost::LocalNow() const
{
    return QDateTime(QDate(2026, 12, 10), QTime(10, 0)).addMSecs(Now);
}

void TFuzzChatHost::StartTimer(TChatTimer timer, int intervalMs)
{
    Deadlines[static_cast<int>(timer)] = Now + intervalMs;
}

void TFuzzChatHost::StopTimer(TChatTimer timer)
{
    Deadlines[static_cast<int>(timer)].reset();
}
