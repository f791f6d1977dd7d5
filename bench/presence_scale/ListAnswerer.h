#pragma once

#include "LoopbackSocket.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <thread>

// A thousand peers in one thread: it hears the chat port and answers every list query at
// once with one list answer per simulated nickname, as fast as the socket takes them.
class TListAnswerer final
{
public:
    TListAnswerer(quint16 wirePort, const QList<QByteArray>& nicks);
    ~TListAnswerer();
    TListAnswerer(const TListAnswerer&) = delete;
    TListAnswerer& operator=(const TListAnswerer&) = delete;

    bool IsValid() const { return FListener.IsValid() && FSender.IsValid(); }
    void Start();
    // Queries answered so far; the answers sent and how long the last burst took.
    int Queries() const { return FQueries.load(); }
    int AnswersSent() const { return FAnswersSent.load(); }
    qint64 LastBurstMicroseconds() const { return FLastBurstUs.load(); }

private:
    void Run();

    TLoopbackSocket FListener;
    TLoopbackSocket FSender;
    QList<QByteArray> FAnswers;
    std::atomic<bool> FStop{false};
    std::atomic<int> FQueries{0};
    std::atomic<int> FAnswersSent{0};
    std::atomic<qint64> FLastBurstUs{0};
    std::thread FThread;
};
