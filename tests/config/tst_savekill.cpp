// The settings file under kill -9: a process saving it in a loop is killed at random moments,
// again and again, and after every kill the file is still a whole registry export holding
// one complete round of values, never a mix of two, never gone.
#include "config/Config.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

class TestSaveKill : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving()
    {
        QTemporaryDir home;
        const QString path = home.filePath(QStringLiteral("user.reg"));
        const QRegularExpression saved(QStringLiteral("^Saver (\\d+)$"));
        QRandomGenerator random(20261211);
        int roundsSeen = 0;
        for (int kill = 0; kill < 60; ++kill) {
            QProcess saver;
            saver.start(QStringLiteral(CONFIG_SAVER), {path});
            QVERIFY(saver.waitForStarted());
            // Long enough for the first kills to land in the loading, the later ones in the
            // middle of any save.
            QThread::msleep(random.bounded(20, 200));
            ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
            QVERIFY(saver.waitForFinished());
            if (!QFile::exists(path))
                continue; // killed before its first write
            TConfig check(path);
            check.SetReadOnly(true);
            check.OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
            check.LoadAll();
            QVERIFY2(check.Problems().isEmpty(), qPrintable(check.Problems().join(u'\n')));
            const QRegularExpressionMatch match = saved.match(check.GetStr(user_name));
            if (!match.hasMatch()) {
                QCOMPARE(check.GetStr(user_name), check.Item(user_name).DefText);
                continue;
            }
            const int round = match.captured(1).toInt();
            QCOMPARE(check.GetStr(history_file_name),
                     QStringLiteral("/home/someone/%1/").arg(round).repeated(8) +
                         QStringLiteral("history.txt"));
            QCOMPARE(check.GetInt(udp_port), 1000 + round % 60000);
            ++roundsSeen;
        }
        QVERIFY2(roundsSeen > 0, "no kill came after a save");
        // A temporary file may be left by a kill between its creation and its rename; it is
        // never the settings themselves.
        const QStringList left =
            QDir(home.path()).entryList({QStringLiteral("user.reg.*")}, QDir::Files);
        qInfo("%d kills after a save, %lld temporary files left", roundsSeen,
              static_cast<long long>(left.size()));
        // The next save takes away those old enough not to belong to a save going on.
        const QDateTime old = QDateTime::currentDateTime().addSecs(-120);
        for (const QString& name : left) {
            QFile file(home.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QFile fresh(home.filePath(QStringLiteral("user.reg.tmp-AbC123")));
        QFile kept(home.filePath(QStringLiteral("user.reg.backup")));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.close();
        QVERIFY(kept.open(QIODevice::ReadWrite));
        QVERIFY(kept.setFileTime(old, QFileDevice::FileModificationTime));
        kept.close();
        QVERIFY(fresh.open(QIODevice::WriteOnly));
        fresh.close();
        TConfig next(path);
        next.OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
        next.LoadAll();
        next.SetStr(user_name, QStringLiteral("After"));
        QVERIFY(next.SaveAll());
        QCOMPARE(QDir(home.path()).entryList({QStringLiteral("user.reg.*")}, QDir::Files),
                 (QStringList{QStringLiteral("user.reg.backup"),
                              QStringLiteral("user.reg.tmp-AbC123")}));
    }
};

QTEST_GUILESS_MAIN(TestSaveKill)
#include "tst_savekill.moc"
