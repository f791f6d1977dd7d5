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
    // Runs the event loop until something can be read, for at most timeoutMs.
    bool WaitReadable(int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            pollfd watch{FFds[0], POLLIN, 0};
            if (::poll(&watch, 1, 0) > 0)
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return false;
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

    void quietLinesGoOutAtOnce()
    {
        TPipe pipe;
        TLineOutput out(pipe.WriteEnd(), 0);
        out.Write("first\n");
        QCOMPARE(pipe.Take(), QByteArray("first\n"));
        out.Write("second\n");
        QCOMPARE(pipe.Take(), QByteArray("second\n"));
    }

    void linesWithinTheWindowFollowAtItsEnd()
    {
        TPipe pipe;
        TLineOutput out(pipe.WriteEnd(), 20);
        out.Write("a\n");
        out.Write("b\n");
        out.Write("c\n");
        QCOMPARE(pipe.Take(), QByteArray("a\n"));
        QVERIFY(pipe.WaitReadable(5000));
        QCOMPARE(pipe.Take(), QByteArray("b\nc\n"));
    }

    void nothingHeldIsLost()
    {
        TPipe pipe;
        {
            TLineOutput out(pipe.WriteEnd(), 60000);
            out.Write("a\n");
            out.Write("held\n");
            QCOMPARE(pipe.Take(), QByteArray("a\n"));
        }
        QCOMPARE(pipe.Take(), QByteArray("held\n"));

        // A batch too large to hold goes out before its window ends, in whole lines.
        QByteArray expected = "a\n";
        QByteArray arrived;
        {
            TLineOutput out(pipe.WriteEnd(), 60000);
            out.Write("a\n");
            const QByteArray line = QByteArray(999, 'x') + '\n';
            for (int i = 0; i < 70; ++i) {
                out.Write(line);
                expected += line;
            }
            arrived = pipe.Take();
            QVERIFY(arrived.size() > 64 * 1024);
            QVERIFY(arrived.endsWith('\n'));
        }
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
