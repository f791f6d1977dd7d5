// Three headless peers on three hosts of a LAN made of network namespaces, each with the
// program's default destination: the broadcast address of its only adapter (198.18.0.255).
// These namespaces are the one place where a test broadcasts outside loopback. Without the
// sandbox (no tool, not root, no namespaces) the test is skipped.
#include "PeerExpect.h"
#include "PeerProcess.h"

#include "SandboxTestMain.h"

#include <QtTest>

#include <cstdio>
#include <memory>
#include <vector>

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
            const QStringList command =
                FLan.OnHost(i + 1, QStringLiteral(ZELKIT_CHAT_BINARY),
                            {QStringLiteral("--headless"), QStringLiteral("--nick"), nicks[i]});
            QVERIFY(peer.Start(command.first(), command.mid(1)));
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
    return RunOnSandboxLan<TestLanSandboxE2E>(argc, argv, 3);
}

#include "tst_lansandbox_e2e.moc"
