#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

class TChatSocket;

// Watches the chat socket and hands each waiting datagram to the target's thread: the
// callback runs there, synchronously, while this thread waits for it to return. The callback
// is expected to read one datagram; if it leaves it waiting, the next hand-over follows.
//
// Constructed it is suspended; start() resumes it. Stop() (or the destructor) ends it; both
// belong to the target's thread and must not be called from inside the callback.
class TRecThread final : public QThread
{
    Q_OBJECT
public:
    using TDataReadyCallback = std::function<void()>;

    TRecThread(TChatSocket& socket, QObject* target, TDataReadyCallback callback,
               QObject* parent = nullptr);
    ~TRecThread() override;
    Q_DISABLE_COPY_MOVE(TRecThread)

    // Asks the loop to end and waits until it has, without running the callback again. Safe
    // while a hand-over is queued but not yet delivered, and when the thread never ran.
    void Stop();
    // True from the moment a datagram is seen until its hand-over has returned or been
    // withdrawn.
    bool IsHandingOver() const { return FHandingOver.load(); }

protected:
    void run() override;

private:
    bool WaitForData();
    void HandOver();

    TChatSocket& FSocket;
    QPointer<QObject> FTarget;
    TDataReadyCallback FCallback;
    // Lives in the target's thread; hand-overs are queued to it, so Stop can withdraw one.
    std::unique_ptr<QObject> FRelay;
    std::atomic<bool> FStopRequested{false};
    std::atomic<bool> FHandingOver{false};
    int FWakeFd = -1;
};
