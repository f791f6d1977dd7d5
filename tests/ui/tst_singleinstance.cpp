// One chat per user, with real processes: a second start of the program ends at once and
// leaves the first running; a copy under another file name also ends; once the first has
// gone, the next start runs.
#include "MainFormProbe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

const QString Program = QStringLiteral(ZELKIT_CHAT_BINARY);

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir FHome;

    // A desktop start on the offscreen platform, in a home of the test's own whose settings
    // answer the registration and keep the chat on the loopback network.
    std::unique_ptr<QProcess> Start(const QString& program)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), FHome.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), FHome.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), FHome.filePath(QStringLiteral("run")));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, {});
        return process;
    }

    // The running copy is ready once it listens for show requests.
    bool WaitForListener(QProcess& first)
    {
        const QString socket = FHome.filePath(QStringLiteral("run/zelkit-chat.instance"));
        return QTest::qWaitFor(
                   [&] { return QFile::exists(socket) || first.state() == QProcess::NotRunning; },
                   60000) &&
               first.state() == QProcess::Running;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FHome.isValid());
        QDir home(FHome.path());
        QVERIFY(home.mkpath(QStringLiteral("config/zelkit-chat")));
        QVERIFY(home.mkpath(QStringLiteral("run")));
        QFile::setPermissions(FHome.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                         QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
        QFile settings(FHome.filePath(QStringLiteral("config/zelkit-chat/user.reg")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(RegistryText({{first_run, 0},
                                     {save_settings, 1},
                                     {user_name, QStringLiteral("Single")},
                                     {history_enabled, 0},
                                     {autorun_chat, 0},
                                     {broadcast_ip, QStringLiteral("127.255.255.255")},
                                     {udp_port, int(TMainFormProbe::TestPort())}}));
    }

    void secondStartsEnd()
    {
        auto first = Start(Program);
        QVERIFY(first->waitForStarted());
        QVERIFY2(WaitForListener(*first), "the first copy did not come up");

        const QString renamed = FHome.filePath(QStringLiteral("zelkit-chat-copy"));
        QVERIFY(QFile::copy(Program, renamed));
        for (const QString& program : {Program, renamed}) {
            auto second = Start(program);
            QVERIFY2(second->waitForFinished(60000), qPrintable(program));
            QCOMPARE(second->exitStatus(), QProcess::NormalExit);
            QCOMPARE(second->exitCode(), 0);
            QCOMPARE(first->state(), QProcess::Running);
        }

        first->terminate();
        QVERIFY(first->waitForFinished(60000));
        QCOMPARE(first->exitCode(), 0);

        // The lock went with the first copy: the next start is the running one.
        auto next = Start(Program);
        QVERIFY2(WaitForListener(*next), "the start after the first copy ended did not run");
        next->terminate();
        QVERIFY(next->waitForFinished(60000));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
