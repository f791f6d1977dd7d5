#include "ListAnswerer.h"

#include "net/ChatDatagram.h"

#include <QElapsedTimer>

TListAnswerer::TListAnswerer(quint16 wirePort, const QList<QByteArray>& nicks)
    : FListener(wirePort, true), FSender(wirePort, false)
{
    // The listener hears its own thousand answers too; room for them keeps its overflow out
    // of the kernel's drop counter, which is meant to show the peer's.
    FListener.SetReceiveBuffer(4 << 20);
    for (qsizetype i = 0; i < nicks.size(); ++i) {
        TChatDatagram answer;
        answer.Kind = static_cast<std::uint8_t>(TDatagramKind::dkListAnswer);
        answer.SenderNick = nicks[i];
        answer.Gender = static_cast<std::uint8_t>(i % 3);
        FAnswers << EncodeDatagram(answer);
    }
}

TListAnswerer::~TListAnswerer()
{
    FStop.store(true);
    if (FThread.joinable())
        FThread.join();
}

void TListAnswerer::Start()
{
    FThread = std::thread([this] { Run(); });
}

void TListAnswerer::Run()
{
    while (!FStop.load()) {
        const std::optional<QByteArray> heard = FListener.Receive(50);
        const bool query = heard && heard->size() == Datagram::HeaderSize &&
                           static_cast<std::uint8_t>(heard->at(0)) ==
                               static_cast<std::uint8_t>(TDatagramKind::dkListQuery);
        if (!query)
            continue;
        QElapsedTimer burst;
        burst.start();
        for (const QByteArray& answer : FAnswers)
            if (FSender.Send(answer))
                FAnswersSent.fetch_add(1);
        FLastBurstUs.store(burst.nsecsElapsed() / 1000);
        FQueries.fetch_add(1);
    }
}
