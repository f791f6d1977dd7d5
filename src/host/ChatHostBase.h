#pragma once

#include "chat/ChatHost.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <array>
#include <memory>

class TChatEngine;
class TChatSocket;
class TRecThread;

// The part of IChatHost that the desktop window and the headless peer share: the chat
// socket, the receive thread that hands each datagram to the engine on the main thread, one
// single-shot QTimer per engine timer, and a monotonic clock. The rest of IChatHost is the
// derived host's.
class TChatHostBase : public QObject, public IChatHost
{
    Q_OBJECT
public:
    explicit TChatHostBase(TChatSocket& socket, QObject* parent = nullptr);
    ~TChatHostBase() override;

    // The engine the datagrams and timer expiries go to; set once, before the chat starts.
    void AttachEngine(TChatEngine& engine);
    // Ends the receive thread (waits for it); safe to call more than once.
    void StopReceiveThread();

    bool OpenChatSocket(int& error) override;
    bool CloseChatSocket(int& error) override;
    bool SendDatagram(const TChatDatagram& datagram, int& error) override;
    bool ReceiveDatagram(QByteArray& bytes, int& error) override;
    QString LocalAddressText() const override;
    QString LocalHostName() const override;
    void ResumeReceiveThread() override;
    qint64 MonotonicMs() const override;
    QDateTime LocalNow() const override;
    void StartTimer(TChatTimer timer, int intervalMs) override;
    void StopTimer(TChatTimer timer) override;

protected:
    // After the engine has handled an expiry.
    virtual void TimerHandled(TChatTimer) {}
    // After a datagram went out.
    virtual void DatagramSent(const TChatDatagram&) {}
    TChatSocket& Socket() { return FSocket; }

private:
    TChatSocket& FSocket;
    TChatEngine* FEngine = nullptr;
    std::unique_ptr<TRecThread> FThread;
    std::array<QTimer, ChatTimerCount> FTimers;
    QElapsedTimer FClock;
};
