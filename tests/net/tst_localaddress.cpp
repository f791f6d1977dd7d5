#include "net/IpAddress.h"
#include "net/LocalAddress.h"

#include <QtTest>

namespace {
std::vector<std::uint32_t> Addresses(const QStringList& dotted)
{
    std::vector<std::uint32_t> out;
    for (const QString& d : dotted)
        out.push_back(DottedToAddress(d));
    return out;
}

TRawNetInterface Adapter(const QString& address, const QString& mask)
{
    return {TRawNetInterface::Up, DottedToAddress(address), DottedToAddress(mask)};
}
} // namespace

class TestLocalAddress : public QObject
{
    Q_OBJECT
private slots:
    void choose_data()
    {
        QTest::addColumn<QStringList>("lookedUp");
        QTest::addColumn<bool>("withAdapters");
        QTest::addColumn<QString>("broadcast");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the first result that is no loopback")
            << QStringList{"127.0.1.1", "192.168.1.20", "10.0.0.7"} << true << "10.0.0.255"
            << "192.168.1.20";
        QTest::newRow("a real address first is kept")
            << QStringList{"10.0.0.7"} << true << "192.168.1.255"
            << "10.0.0.7";
        QTest::newRow("only loopback: the adapter the chat sends through")
            << QStringList{"127.0.1.1"} << true << "10.0.0.255"
            << "10.0.0.7";
        QTest::newRow("nothing looked up: the first adapter for another destination")
            << QStringList{} << true << "172.16.255.255"
            << "192.168.1.20";
        QTest::newRow("only loopback and no adapter: nothing to show")
            << QStringList{"127.0.1.1", "0.0.0.0"} << false << "127.255.255.255"
            << "";
    }
    void choose()
    {
        QFETCH(QStringList, lookedUp);
        QFETCH(bool, withAdapters);
        QFETCH(QString, broadcast);
        QFETCH(QString, expected);
        const std::vector<TRawNetInterface> raw =
            withAdapters ? std::vector<TRawNetInterface>{Adapter("192.168.1.20", "255.255.255.0"),
                                                         Adapter("10.0.0.7", "255.255.255.0")}
                         : std::vector<TRawNetInterface>{};
        TNetInterfaceInfoList adapters([raw] { return raw; });
        adapters.Refresh();
        const std::uint32_t chosen =
            ChooseLocalAddress(Addresses(lookedUp), adapters, DottedToAddress(broadcast));
        QCOMPARE(chosen == 0 ? QString() : AddressToDotted(chosen), expected);
    }
};

QTEST_APPLESS_MAIN(TestLocalAddress)
#include "tst_localaddress.moc"
