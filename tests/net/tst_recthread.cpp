#include "net/NetProc.h"
#include "net/RecThread.h"

#include <QtTest>

#include <arpa/inet.h>
#include <unistd.h>

namespace {

quint16 TestSetting()
{
    // A wire port of this run's own, apart from the endpoint test's.
    return TChatSocket::WirePort(static_cast<quint16>(41000 + getpid() % 1000));
}

TChatDatagram Numbered(int n)
{
    TChatDatagram d;
    d.SenderNick = "Tester";
    SetDatagramText(QByteArray::number(n), d);
    return d;
}

// A receiver as the main window is one: reads one datagram per hand-over and notes where
// and how it was called.
class TReceiver : public QObject
{
public:
    explicit TReceiver(TChatSocket& socket) : FSocket(socket) {}

    void DataReady()
    {
        ++Calls;
        OnMainThread = OnMainThread && QThread::currentThread() == thread();
        ++FDepth;
        MaxDepth = std::max(MaxDepth, FDepth);
        QByteArray buffer;
        int error = 0;
        if (FSocket.Receive(buffer, error))
            Texts << DecodeDatagram(buffer).Text;
        // The watcher is blocked meanwhile, so this cannot start a second hand-over.
        QCoreApplication::processEvents();
        --FDepth;
    }

    int Calls = 0;
    int MaxDepth = 0;
    bool OnMainThread = true;
    QByteArrayList Texts;

private:
    TChatSocket& FSocket;
    int FDepth = 0;
};

// Runs the event loop as the program does, until `done` holds or the time is up. QTRY_*
// would sleep 10 ms between its turns of the loop, far longer than a hand-over takes.
template <typename Done> bool RunEventLoopUntil(Done done, int timeoutMs = 10000)
{
    QEventLoop loop;
    QTimer check;
    QDeadlineTimer deadline(timeoutMs);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    check.start(5);
    loop.exec();
    return done();
}

} // namespace

class TestRecThread : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void handsOverOneDatagramPerCall();
    void noticesSocketOpenedLater();
    void burstArrivesWholeAndInOrder();
    void stopsWhileDatagramsFlow();
    void stops_data();
    void stops();

private:
    void Send(int count);

    std::unique_ptr<TChatSocket> FSocket;
    std::unique_ptr<TReceiver> FReceiver;
    std::unique_ptr<TRecThread> FThread;
};

void TestRecThread::init()
{
    FSocket = std::make_unique<TChatSocket>();
    FSocket->SetChatPort(TestSetting());
    FSocket->SetBroadcastAddress(htonl(0x7FFFFFFF));
    FReceiver = std::make_unique<TReceiver>(*FSocket);
    FThread = std::make_unique<TRecThread>(*FSocket, FReceiver.get(),
                                           [r = FReceiver.get()] { r->DataReady(); });
}

void TestRecThread::cleanup()
{
    FThread.reset();
    FReceiver.reset();
    FSocket.reset();
}

void TestRecThread::Send(int count)
{
    for (int i = 1; i <= count; ++i) {
        int error = 0;
        QVERIFY(FSocket->Send(Numbered(i), error));
    }
}

void TestRecThread::handsOverOneDatagramPerCall()
{
    int error = 0;
    QVERIFY(FSocket->Open(error));
    QVERIFY(!FThread->isRunning()); // created suspended
    FThread->start();
    Send(3);
    QTRY_COMPARE(FReceiver->Texts.size(), 3);
    QCOMPARE(FReceiver->Texts, QByteArrayList({"1", "2", "3"}));
    QCOMPARE(FReceiver->Calls, 3);
    QCOMPARE(FReceiver->MaxDepth, 1);
    QVERIFY(FReceiver->OnMainThread);
    FThread->Stop();
    QVERIFY(FThread->isFinished());
}

void TestRecThread::noticesSocketOpenedLater()
{
    FThread->start();
    int error = 0;
    QVERIFY(FSocket->Open(error));
    // Told of the change, the watcher takes the socket up at once, well before the time-out
    // that backs an untold change.
    FThread->SocketChanged();
    Send(1);
    QTRY_COMPARE_WITH_TIMEOUT(FReceiver->Texts.size(), 1, 1000);
    // Closed under the watcher's wait: no hand-over for a socket that is gone.
    Send(1);
    QVERIFY(FSocket->Close(error));
    FThread->SocketChanged();
    QCoreApplication::processEvents();
    QCOMPARE(FReceiver->Calls, 1);
}

void TestRecThread::burstArrivesWholeAndInOrder()
{
    // Back-to-back datagrams are taken without the main thread sleeping between them; each
    // still gets its own call, in order, never nested.
    constexpr int Count = 2000;
    int error = 0;
    QVERIFY(FSocket->Open(error));
    FThread->start();
    QByteArrayList expected;
    for (int i = 1; i <= Count; ++i) {
        expected << QByteArray::number(i);
        QVERIFY(FSocket->Send(Numbered(i), error));
        if (i % 200 == 0)
            QCoreApplication::processEvents(); // keeps the kernel's queue from overflowing
    }
    QVERIFY(RunEventLoopUntil([&] { return FReceiver->Texts.size() >= Count; }));
    QCOMPARE(FReceiver->Texts, expected);
    QCOMPARE(FReceiver->Calls, Count);
    QCOMPARE(FReceiver->MaxDepth, 1);
}

void TestRecThread::stopsWhileDatagramsFlow()
{
    // Stop() at any moment of a hand-over returns: a hang here is a lost wake-up.
    int error = 0;
    QVERIFY(FSocket->Open(error));
    for (int round = 0; round < 100; ++round) {
        auto thread = std::make_unique<TRecThread>(*FSocket, FReceiver.get(),
                                                   [r = FReceiver.get()] { r->DataReady(); });
        thread->start();
        Send(3);
        for (int spins = 0; spins < round % 7; ++spins)
            QCoreApplication::processEvents();
        thread->Stop();
        QVERIFY(thread->isFinished());
    }
    // What the last rounds left waiting is read by the next watcher.
    FThread->start();
    QVERIFY(RunEventLoopUntil([&] { return FReceiver->Texts.size() >= 300; }));
    QCOMPARE(FReceiver->Texts.size(), 300);
}

void TestRecThread::stops_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("pending");
    QTest::newRow("never started") << false << false << false;
    QTest::newRow("closed socket") << false << true << false;
    QTest::newRow("open, idle") << true << true << false;
    QTest::newRow("open, hand-over waiting for the main thread") << true << true << true;
}

void TestRecThread::stops()
{
    QFETCH(bool, open);
    QFETCH(bool, started);
    QFETCH(bool, pending);
    int error = 0;
    if (open)
        QVERIFY(FSocket->Open(error));
    if (started)
        FThread->start();
    if (pending) {
        // No event loop runs here, so the hand-over stays queued while Stop is called.
        Send(1);
        QDeadlineTimer deadline(5000);
        while (!FThread->IsHandingOver() && !deadline.hasExpired())
            QThread::yieldCurrentThread();
        QVERIFY(FThread->IsHandingOver());
    }
    FThread->Stop();
    QVERIFY(!FThread->isRunning());
    QCoreApplication::processEvents();
    QCOMPARE(FReceiver->Calls, 0);
}

QTEST_GUILESS_MAIN(TestRecThread)
#include "tst_recthread.moc"
