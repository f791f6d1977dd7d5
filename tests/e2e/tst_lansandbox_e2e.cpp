// Three headless peers on three hosts of a LAN made of network namespaces, each with the
// program's default destination: the broadcast address of its only adapter (198.18.0.255).
// These namespaces are the one place where a test broadcasts outside loopback. Without the
// sandbox (no tool, not root, no namespaces) the test is skipped.
#include "PeerExpect.h"
#include "PeerProcess.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cstdio>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

// ZELKIT_LAN_SANDBOX names the tool where a clone does not stand beside it; else the copy
// beside the source tree, else one on the PATH.
QString FindSandbox()
{
    const QString named = qEnvironmentVariable("ZELKIT_LAN_SANDBOX");
    if (!named.isEmpty())
        return named;
    const QString beside = QStringLiteral(LAN_SANDBOX);
    if (QFile::exists(beside))
        return beside;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("lan-sandbox"));
    return onPath.isEmpty() ? beside : onPath;
}

const QString Sandbox = FindSandbox();
constexpr int SkipExitCode = 77; // the test's SKIP_RETURN_CODE in CTest

// Empty when namespaces can be made here; else why not.
QString SandboxUnavailable()
{
    if (!QFile::exists(Sandbox))
        return QStringLiteral("no lan-sandbox at %1 (set ZELKIT_LAN_SANDBOX to its path)")
            .arg(Sandbox);
    if (::geteuid() != 0)
        return QStringLiteral("lan-sandbox needs root");
    if (QProcess::execute(Sandbox, {QStringLiteral("check")}) != 0)
        return QStringLiteral("lan-sandbox check failed: no network namespaces here");
    return {};
}

// The LAN of this run; taken down however the test ends, short of a crash.
class TSandboxLan final
{
public:
    explicit TSandboxLan(int hosts) : FName(QStringLiteral("zke2e%1").arg(::getpid()))
    {
        QProcess up;
        up.setProcessChannelMode(QProcess::MergedChannels);
        up.start(Sandbox, {QStringLiteral("up"), FName, QString::number(hosts)});
        FUp = up.waitForFinished(60000) && up.exitStatus() == QProcess::NormalExit &&
              up.exitCode() == 0;
        if (!FUp)
            FWhyNot = QString::fromLocal8Bit(up.readAll()).trimmed();
    }
    ~TSandboxLan() { QProcess::execute(Sandbox, {QStringLiteral("down"), FName}); }
    TSandboxLan(const TSandboxLan&) = delete;
    TSandboxLan& operator=(const TSandboxLan&) = delete;

    bool IsUp() const { return FUp; }
    // What `up` printed when it failed.
    QString WhyNot() const { return FWhyNot; }
    // The sandbox's arguments that run the program on host i (1-based).
    QStringList OnHost(int i, const QStringList& programArguments) const
    {
        return QStringList{QStringLiteral("exec"), FName, QString::number(i),
                           QStringLiteral(ZELKIT_CHAT_BINARY)} +
               programArguments;
    }

private:
    QString FName;
    QString FWhyNot;
    bool FUp = false;
};

} // namespace

class TestLanSandboxE2E : public QObject
{
    Q_OBJECT
public:
    explicit TestLanSandboxE2E(const TSandboxLan& lan) : FLan(lan) {}

private slots:
    void cleanupTestCase() { FPeers.clear(); }

    void peersMeetOnTheAdaptersBroadcast()
    {
        const QStringList nicks{"Anna", "Bob", "Carl"};
        for (int i = 0; i < nicks.size(); ++i) {
            FPeers.push_back(std::make_unique<TPeerProcess>(nicks[i]));
            TPeerProcess& peer = *FPeers.back();
            // No --broadcast and no --port: the defaults, as a user's first start has them.
            QVERIFY(peer.Start(Sandbox, FLan.OnHost(i + 1, {QStringLiteral("--headless"),
                                                            QStringLiteral("--nick"), nicks[i]})));
            VERIFY_LINES(
                peer, 0, TLineMatch::InOrder,
                (QStringList{"conference [T] <" + nicks[i] + "> entering chat...", "state Ready"}));
        }
        for (const auto& peer : FPeers) {
            const int mark = peer->Mark();
            peer->Send(QStringLiteral("/contacts"));
            VERIFY_LINES(
                *peer, mark, TLineMatch::Exactly,
                (QStringList{"contacts 3", "contact Anna 0", "contact Bob 0", "contact Carl 0"}));
        }

        std::vector<int> marks;
        for (const auto& peer : FPeers)
            marks.push_back(peer->Mark());
        FPeers[1]->Send(QStringLiteral("/private Carl: over the bridge"));
        FPeers[1]->Send(QStringLiteral("hello, LAN"));
        const QString hello = QStringLiteral("conference [T] <Bob> hello, LAN");
        VERIFY_LINES(*FPeers[0], marks[0], TLineMatch::Exactly, QStringList{hello});
        VERIFY_LINES(*FPeers[1], marks[1], TLineMatch::Exactly,
                     (QStringList{"private [T] >Carl: over the bridge", hello}));
        VERIFY_LINES(*FPeers[2], marks[2], TLineMatch::Exactly,
                     (QStringList{"private [T] <Bob> over the bridge", hello}));

        for (std::size_t i = 0; i < FPeers.size(); ++i) {
            FPeers[i]->CloseInput();
            QVERIFY2(FPeers[i]->WaitForCleanExit(), FPeers[i]->Describe().constData());
            for (std::size_t j = i + 1; j < FPeers.size(); ++j)
                VERIFY_LINES(*FPeers[j], 0, TLineMatch::InOrder,
                             QStringList{"conference [T] <" + nicks[int(i)] + "> leaving chat..."});
        }
    }

private:
    const TSandboxLan& FLan;
    std::vector<std::unique_ptr<TPeerProcess>> FPeers;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString unavailable = SandboxUnavailable();
    if (!unavailable.isEmpty()) {
        std::printf("SKIP: %s\n", qPrintable(unavailable));
        return SkipExitCode;
    }
    // Some containers let a namespace be made but not mounts in it: no LAN there either.
    const TSandboxLan lan(3);
    if (!lan.IsUp()) {
        std::printf("SKIP: lan-sandbox up failed: %s\n", qPrintable(lan.WhyNot()));
        return SkipExitCode;
    }
    TestLanSandboxE2E test(lan);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lansandbox_e2e.moc"
