#include "desktop/PrevInst.h"

#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
constexpr int AskedStatus = 10;
constexpr int NobodyStatus = 11;
const QString Probe = QStringLiteral(PREVINST_PROBE);

// A running copy of the probe, which stands in for the program.
class TRunningCopy
{
public:
    explicit TRunningCopy(const QString& program, const QProcessEnvironment& environment)
    {
        FProcess.setProgram(program);
        FProcess.setProcessEnvironment(environment);
        FProcess.start();
    }
    ~TRunningCopy()
    {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }
    QStringList Lines()
    {
        FOutput += FProcess.readAllStandardOutput();
        return QString::fromLatin1(FOutput).split(u'\n', Qt::SkipEmptyParts);
    }
    int Shows() { return static_cast<int>(Lines().count(QStringLiteral("show"))); }
    bool WaitRunning()
    {
        return QTest::qWaitFor([this] { return Lines().contains(QStringLiteral("running")); },
                               20000);
    }
    void Crash()
    {
        FProcess.kill();
        FProcess.waitForFinished();
    }
    int End()
    {
        FProcess.closeWriteChannel();
        FProcess.waitForFinished();
        return FProcess.exitCode();
    }

private:
    QProcess FProcess;
    QByteArray FOutput;
};
} // namespace

// Copies of the program, and objects that stand for them, in a runtime folder of the test's
// own (XDG_RUNTIME_DIR).
class TestPrevInst : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FRuntime;
    QProcessEnvironment FEnvironment;

    int RunLaterCopy(const QString& program = Probe)
    {
        QProcess copy;
        copy.setProgram(program);
        copy.setProcessEnvironment(FEnvironment);
        copy.start();
        if (!copy.waitForFinished(30000))
            return -1;
        return copy.exitStatus() == QProcess::NormalExit ? copy.exitCode() : -1;
    }
    QString RenamedProbe() const
    {
        const QString renamed = FRuntime->filePath(QStringLiteral("renamed-probe"));
        if (!QFile::exists(renamed))
            QFile::copy(Probe, renamed);
        return renamed;
    }

private slots:
    void init()
    {
        FRuntime = std::make_unique<QTemporaryDir>();
        QVERIFY(FRuntime->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(FRuntime->path()));
        FEnvironment = QProcessEnvironment::systemEnvironment();
        FEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), FRuntime->path());
    }
    void cleanup() { FRuntime.reset(); }

    void inTheRuntimeFolder()
    {
        QCOMPARE(TPrevInst::RuntimeFolder(), FRuntime->path());
        const TPrevInst instance(QStringLiteral("/opt/zelkit/zelkit-chat"));
        QCOMPARE(instance.LockFilePath(),
                 FRuntime->path() + "/{458F1060-48D4-11D8-B9CB-0000E81ABA67}.lock");
        QCOMPARE(instance.ServerPath(), FRuntime->path() + "/zelkit-chat.instance");
    }

    void firstWinsSecondAsks()
    {
        TPrevInst first(QStringLiteral("/opt/zelkit/zelkit-chat"));
        int shows = 0;
        first.SetOnShowRequest([&shows] { ++shows; });
        QVERIFY(!first.IsAnotherInstanceRunning());
        QVERIFY(first.OwnsInstance());

        TPrevInst second(QStringLiteral("/home/u/zelkit-chat"));
        QVERIFY(second.IsAnotherInstanceRunning());
        QVERIFY(!second.OwnsInstance());
        QVERIFY(second.ActivateOtherInstance());
        QTRY_COMPARE(shows, 1);
        QVERIFY(second.ActivateOtherInstance());
        QTRY_COMPARE(shows, 2);

        // Gone with its lock, the first copy leaves the way open.
        first.ReleaseInstanceSemaphore();
        QVERIFY(!QFile::exists(first.LockFilePath()));
        QVERIFY(!second.IsAnotherInstanceRunning());
        QVERIFY(second.OwnsInstance());
    }

    void renamedCopyFindsNobody()
    {
        TPrevInst first(QStringLiteral("/opt/zelkit/zelkit-chat"));
        int shows = 0;
        first.SetOnShowRequest([&shows] { ++shows; });
        QVERIFY(!first.IsAnotherInstanceRunning());
        TPrevInst renamed(QStringLiteral("/opt/zelkit/chat-copy"));
        QVERIFY(renamed.IsAnotherInstanceRunning());
        QVERIFY(!renamed.ActivateOtherInstance());
        // A request that does follow is the only one heard.
        TPrevInst same(QStringLiteral("/opt/zelkit/zelkit-chat"));
        QVERIFY(same.ActivateOtherInstance());
        QTRY_COMPARE(shows, 1);
    }

    void otherTalkIsNoShowRequest()
    {
        TPrevInst first(QStringLiteral("/opt/zelkit/zelkit-chat"));
        int shows = 0;
        first.SetOnShowRequest([&shows] { ++shows; });
        QVERIFY(!first.IsAnotherInstanceRunning());
        QLocalSocket stranger;
        stranger.connectToServer(first.ServerPath());
        QVERIFY(stranger.waitForConnected());
        stranger.write("hello\n");
        QVERIFY(stranger.waitForBytesWritten());
        QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(shows, 0);
    }

    void noneRunning()
    {
        TPrevInst alone(QStringLiteral("/opt/zelkit/zelkit-chat"));
        QVERIFY(!alone.ActivateOtherInstance());
    }

    void secondCopyAsksAndEnds()
    {
        TRunningCopy first(Probe, FEnvironment);
        QVERIFY(first.WaitRunning());
        QCOMPARE(RunLaterCopy(), AskedStatus);
        QTRY_COMPARE(first.Shows(), 1);
        QCOMPARE(RunLaterCopy(), AskedStatus);
        QTRY_COMPARE(first.Shows(), 2);
        QCOMPARE(first.End(), 0);
        // Ended normally, it leaves neither lock nor socket behind.
        QCOMPARE(QDir(FRuntime->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void renamedCopyOnlyEnds()
    {
        TRunningCopy first(Probe, FEnvironment);
        QVERIFY(first.WaitRunning());
        QCOMPARE(RunLaterCopy(RenamedProbe()), NobodyStatus);
        QCOMPARE(RunLaterCopy(), AskedStatus);
        QTRY_COMPARE(first.Shows(), 1);
        QCOMPARE(first.Shows(), 1);
    }

    void renamedCopyRunningFirst()
    {
        TRunningCopy renamed(RenamedProbe(), FEnvironment);
        QVERIFY(renamed.WaitRunning());
        QCOMPARE(RunLaterCopy(), NobodyStatus);
        QCOMPARE(RunLaterCopy(RenamedProbe()), AskedStatus);
        QTRY_COMPARE(renamed.Shows(), 1);
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        TRunningCopy crashed(Probe, FEnvironment);
        QVERIFY(crashed.WaitRunning());
        crashed.Crash();
        const TPrevInst probe(Probe);
        QVERIFY(QFile::exists(probe.LockFilePath()));
        QVERIFY(QFile::exists(probe.ServerPath()));

        TRunningCopy next(Probe, FEnvironment);
        QVERIFY(next.WaitRunning());
        QCOMPARE(RunLaterCopy(), AskedStatus);
        QTRY_COMPARE(next.Shows(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPrevInst)
#include "tst_previnst.moc"
