#include "net/BroadcastChoice.h"
#include "net/IpAddress.h"

#include <QtTest>

#include <arpa/inet.h>

char* toString(const TBroadcastChoice& choice)
{
    return qstrdup(qPrintable(QStringLiteral("{stored \"%1\", address %2}")
                                  .arg(choice.storedText, AddressToDotted(choice.address))));
}

class TestBroadcastChoice : public QObject
{
    Q_OBJECT
private slots:
    void choose_data();
    void choose();
    void dotted_data();
    void dotted();
};

void TestBroadcastChoice::choose_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("withAdapter");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("address");
    QTest::newRow("empty, one adapter") << "" << true << "192.168.1.255"
                                        << "192.168.1.255";
    QTest::newRow("blanks count as empty") << " \t " << true << "192.168.1.255"
                                           << "192.168.1.255";
    QTest::newRow("empty, no adapters") << "" << false << "255.255.255.255"
                                        << "255.255.255.255";
    QTest::newRow("not an address") << "abc" << true << "abc"
                                    << "255.255.255.255";
    QTest::newRow("trimmed for use, kept as written") << "  10.0.0.255 " << true << "  10.0.0.255 "
                                                      << "10.0.0.255";
    QTest::newRow("set by the user wins over the adapter")
        << "127.255.255.255" << true << "127.255.255.255"
        << "127.255.255.255";
    QTest::newRow("octet out of range") << "10.0.0.256" << true << "10.0.0.256"
                                        << "255.255.255.255";
}

void TestBroadcastChoice::choose()
{
    QFETCH(QString, setting);
    QFETCH(bool, withAdapter);
    QFETCH(QString, stored);
    QFETCH(QString, address);
    TNetInterfaceInfoList adapters([withAdapter] {
        std::vector<TRawNetInterface> raw;
        if (withAdapter)
            raw.push_back(
                {TRawNetInterface::Up, inet_addr("192.168.1.20"), inet_addr("255.255.255.0")});
        return raw;
    });
    adapters.Refresh();
    const TBroadcastChoice expected{stored, inet_addr(qPrintable(address))};
    QCOMPARE(ChooseBroadcastAddress(setting, adapters), expected);
}

void TestBroadcastChoice::dotted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    QTest::newRow("plain") << "192.168.1.20"
                           << "192.168.1.20";
    QTest::newRow("short form") << "10.1"
                                << "10.0.0.1";
    QTest::newRow("hexadecimal") << "0x7f.1"
                                 << "127.0.0.1";
    QTest::newRow("empty") << ""
                           << "255.255.255.255";
    QTest::newRow("embedded NUL") << QStringLiteral("10.0.0.1") + QChar(0) + "x"
                                  << "255.255.255.255";
    QTest::newRow("not Latin-1") << QStringLiteral(u"10.0.0.\u0661") << "255.255.255.255";
}

void TestBroadcastChoice::dotted()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    QCOMPARE(AddressToDotted(DottedToAddress(text)), address);
}

QTEST_APPLESS_MAIN(TestBroadcastChoice)
#include "tst_broadcastchoice.moc"
