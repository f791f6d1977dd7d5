#include "config/Globals.h"

#include <QtTest>

class TestGlobals : public QObject
{
    Q_OBJECT
private slots:
    void appFolder_data()
    {
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build tree with Language")
            << "/src/build/app" << QStringList{"/src/build/app/Language"} << "/src/build/app/";
        QTest::newRow("portable copy with Sounds")
            << "/opt/chat/" << QStringList{"/opt/chat/Sounds"} << "/opt/chat/";
        QTest::newRow("installed") << "/usr/bin" << QStringList{} << "/usr/share/zelkit-chat/";
        QTest::newRow("installed, data elsewhere only")
            << "/usr/local/bin" << QStringList{"/usr/local/share/zelkit-chat/Language"}
            << "/usr/local/share/zelkit-chat/";
    }
    void appFolder()
    {
        QFETCH(QString, exeDir);
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        QStringList asked;
        const auto exists = [&](const QString& path) {
            asked << path;
            return existing.contains(path);
        };
        QCOMPARE(ChooseAppFolder(exeDir, exists), expected);
        QVERIFY(!asked.isEmpty());
    }

    void formatsVersions_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("text");
        QTest::newRow("this release") << QList<int>{2, 3, 0, 301} << "2.3 build 301";
        QTest::newRow("release not shown") << QList<int>{1, 10, 7, 5} << "1.10 build 5";
        QTest::newRow("zeros") << QList<int>{0, 0, 0, 0} << "0.0 build 0";
    }
    void formatsVersions()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, text);
        QCOMPARE(FormatVersion(numbers[0], numbers[1], numbers[2], numbers[3]), text);
    }

    void productVersionIsTheBuilds()
    {
        ReadProductVersion();
        QCOMPARE((QList<int>{VersionMajor, VersionMinor, VersionRelease, VersionBuild}),
                 (QList<int>{2, 3, 0, 301}));
        QCOMPARE(GetVersionString(), QStringLiteral("2.3 build 301"));
    }
};

QTEST_APPLESS_MAIN(TestGlobals)
#include "tst_globals.moc"
