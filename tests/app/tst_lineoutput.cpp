#include "LineOutput.h"

#include <QtTest>

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// The reading end of the output, as a script reading the peer would see it.
class TPipe final
{
public:
    TPipe()
    {
        // Non-blocking for the reader, and room for more than one full batch.
        if (::pipe2(FFds, O_CLOEXEC) != 0)
            FFds[0] = FFds[1] = -1;
        ::fcntl(FFds[0], F_SETFL, O_NONBLOCK);
        ::fcntl(FFds[1], F_SETPIPE_SZ, 1 << 20);
    }
    ~TPipe()
    {
        for (int fd : FFds)
            if (fd >= 0)
                ::close(fd);
    }
    int WriteEnd() const { return FFds[1]; }
    void CloseReadEnd()
    {
        ::close(FFds[0]);
        FFds[0] = -1;
    }
    // Everything written so far.
    QByteArray Take()
    {
        QByteArray all;
        char chunk[65536];
        for (ssize_t n; (n = ::read(FFds[0], chunk, sizeof chunk)) > 0;)
            all.append(chunk, n);
        return all;
    }
    // Runs the event loop, letting it wait between its turns as the program's does, until
    // something can be read or timeoutMs have passed.
    bool WaitReadable(int timeoutMs)
    {
        QEventLoop loop;
        QTimer check;
        QDeadlineTimer deadline(timeoutMs);
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            pollfd watch{FFds[0], POLLIN, 0};
            if (::poll(&watch, 1, 0) > 0 || deadline.hasExpired())
                loop.quit();
        });
        check.start(1);
        loop.exec();
        pollfd watch{FFds[0], POLLIN, 0};
        return ::poll(&watch, 1, 0) > 0;
    }

private:
    int FFds[2];
};

} // namespace

class TestLineOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ::signal(SIGPIPE, SIG_IGN); }

    void linesOfABusySpellGoOutBeforeTheLoopWaits()
    {
        TPipe pipe;
        TLineOutput out(pipe.WriteEnd(), 60000);
        out.Write("a\n");
        out.Write("b\n");
        QCOMPARE(pipe.Take(), QByteArray()); // still busy: held
        QVERIFY(pipe.WaitReadable(5000));
        QCOMPARE(pipe.Take(), QByteArray("a\nb\n"));
        out.Write("c\n");
        QVERIFY(pipe.WaitReadable(5000));
        QCOMPARE(pipe.Take(), QByteArray("c\n"));
    }

    void aFloodWritesBatchesByAgeAndSize()
    {
        TPipe pipe;
        {
            TLineOutput out(pipe.WriteEnd(), 0);
            out.Write("old at once\n");
            QCOMPARE(pipe.Take(), QByteArray("old at once\n"));
        }
        QByteArray expected;
        QByteArray arrived;
        {
            TLineOutput out(pipe.WriteEnd(), 60000);
            const QByteArray line = QByteArray(999, 'x') + '\n';
            for (int i = 0; i < 70; ++i) {
                out.Write(line);
                expected += line;
            }
            arrived = pipe.Take();
            QVERIFY(arrived.size() >= 64 * 1024);
            QVERIFY(arrived.size() < expected.size());
            QVERIFY(arrived.endsWith('\n'));
        }
        // What was held when the output ended is not lost.
        arrived += pipe.Take();
        QCOMPARE(arrived, expected);
    }

    void closedReaderIsNotAnError()
    {
        TPipe pipe;
        pipe.CloseReadEnd();
        TLineOutput out(pipe.WriteEnd(), 0);
        out.Write("nobody reads this\n"); // must neither hang nor kill the program
        out.Flush();
    }
};

QTEST_GUILESS_MAIN(TestLineOutput)
#include "tst_lineoutput.moc"
