#include "HeadlessOptions.h"

#include <QtTest>

class TestHeadlessOptions : public QObject
{
    Q_OBJECT
private slots:
    void refused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("option taken as a value")
            << QStringList{"--headless", "--nick", "--broadcast", "127.255.255.255"}
            << "--nick needs a value, not the option --broadcast";
        QTest::newRow("value missing at the end")
            << QStringList{"--headless", "--port"} << "Missing value after '--port'.";
        QTest::newRow("empty value")
            << QStringList{"--headless", "--nick", ""} << "--nick needs a value";
        QTest::newRow("empty value after =")
            << QStringList{"--headless", "--nick="} << "--nick needs a value";
        QTest::newRow("blank value")
            << QStringList{"--headless", "--nick", "  "} << "--nick needs a value";
        QTest::newRow("stray argument")
            << QStringList{"--headless", "Anna"} << "unexpected argument \"Anna\"";
        QTest::newRow("unknown long option")
            << QStringList{"--headless", "--nik", "Anna"} << "Unknown option 'nik'.";
        QTest::newRow("unknown single-dash option")
            << QStringList{"--headless", "-x"} << "Unknown option 'x'.";
        QTest::newRow("single dash for a long option")
            << QStringList{"--headless", "-nick", "A"} << "Unknown options: n, i, c, k.";
        QTest::newRow("broadcast as a name") << QStringList{"--headless", "--broadcast", "lan"}
                                             << "--broadcast takes a dotted IPv4 address";
        QTest::newRow("broadcast in short form")
            << QStringList{"--headless", "--broadcast", "127.1"}
            << "--broadcast takes a dotted IPv4 address";
        QTest::newRow("broadcast octet above 255")
            << QStringList{"--headless", "--broadcast=10.0.0.256"}
            << "--broadcast takes a dotted IPv4 address";
        QTest::newRow("port 0") << QStringList{"--headless", "--port", "0"}
                                << "--port takes a number from 1 to 65535, not \"0\"";
        QTest::newRow("port above 65535")
            << QStringList{"--headless", "--port=65536"} << "--port takes a number from 1 to 65535";
        QTest::newRow("gender 3") << QStringList{"--headless", "--gender", "3"}
                                  << "--gender takes a number from 0 to 2, not \"3\"";
        QTest::newRow("gender as a word") << QStringList{"--headless", "--gender", "male"}
                                          << "--gender takes a number from 0 to 2";
    }
    void refused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const THeadlessOptions o = THeadlessOptions::Parse(args);
        QVERIFY2(o.Error.startsWith(error), qPrintable(o.Error));
    }

    void accepted()
    {
        const THeadlessOptions o =
            THeadlessOptions::Parse({"--headless", "--nick=-Anna-", "--gender", "1",
                                     "--broadcast=127.255.255.255", "--port", "41000", "--json"});
        QCOMPARE(o.Error, QString());
        QVERIFY(o.Headless && o.Json && !o.Help);
        QCOMPARE(*o.Nick, QString("-Anna-"));
        QCOMPARE(*o.Gender, 1);
        QCOMPARE(*o.Broadcast, QString("127.255.255.255"));
        QCOMPARE(*o.Port, 41000);
    }

    void desktopArgumentKeepsWorking()
    {
        const THeadlessOptions o = THeadlessOptions::Parse({"/minimized"});
        QCOMPARE(o.Error, QString());
        QCOMPARE(o.Rest, QStringList{"/minimized"});
        QVERIFY(!o.Headless);
    }

    void helpNamesWhatAScriptNeeds()
    {
        const QString usage = HeadlessUsage();
        for (const char* needle : {"0 male, 1 female, 2 undefined", "user.reg",
                                   "[HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat]",
                                   "ZELKIT_CODEPAGE", "--port 41000", "UDP 10400"})
            QVERIFY2(usage.contains(QLatin1String(needle)), needle);
        QVERIFY(THeadlessOptions::Parse({"-h"}).Help);
        QVERIFY(THeadlessOptions::Parse({"--help"}).Help);
    }
};

QTEST_APPLESS_MAIN(TestHeadlessOptions)
#include "tst_headlessoptions.moc"
