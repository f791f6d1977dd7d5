#include "net/EnumNetworkItfs.h"
#include "net/IpAddress.h"

#include <QtTest>

namespace {

TRawNetInterface Raw(const char* address, const char* netmask,
                     unsigned flags = TRawNetInterface::Up)
{
    return {flags, DottedToAddress(QString::fromLatin1(address)),
            DottedToAddress(QString::fromLatin1(netmask))};
}

// A list over a fixed set of adapters.
class TFakeAdapters
{
public:
    std::vector<TRawNetInterface> Adapters;
    TNetInterfaceInfoList List{[this] { return Adapters; }};
};

QStringList Addresses(const TNetInterfaceInfoList& list)
{
    QStringList result;
    for (int i = 0; i < list.Count(); ++i)
        result << AddressToDotted(list.Item(i).Address);
    return result;
}

} // namespace

class TestEnumNetworkItfs : public QObject
{
    Q_OBJECT
private slots:
    void broadcastFromAddressAndMask_data();
    void broadcastFromAddressAndMask();
    void fillKeepsPlatformOrderAndFlags();
    void refreshDropsLoopbackAndDown();
    void atMostThirteen();
    void findByBroadcast_data();
    void findByBroadcast();
    void findOnEmptyList();
    void describe();
    void deleteAndClear();
    void systemAdaptersAreIPv4();
};

void TestEnumNetworkItfs::broadcastFromAddressAndMask_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("netmask");
    QTest::addColumn<QString>("broadcast");
    QTest::newRow("class A mask") << "10.1.2.3"
                                  << "255.0.0.0"
                                  << "10.255.255.255";
    QTest::newRow("/24") << "192.168.1.20"
                         << "255.255.255.0"
                         << "192.168.1.255";
    QTest::newRow("/22") << "172.16.5.9"
                         << "255.255.252.0"
                         << "172.16.7.255";
    QTest::newRow("/32") << "192.0.2.7"
                         << "255.255.255.255"
                         << "192.0.2.7";
    QTest::newRow("no mask") << "192.0.2.7"
                             << "0.0.0.0"
                             << "255.255.255.255";
}

void TestEnumNetworkItfs::broadcastFromAddressAndMask()
{
    QFETCH(QString, address);
    QFETCH(QString, netmask);
    QFETCH(QString, broadcast);
    TFakeAdapters fake;
    fake.Adapters = {Raw(qPrintable(address), qPrintable(netmask))};
    fake.List.Fill();
    QCOMPARE(fake.List.Count(), 1);
    QCOMPARE(AddressToDotted(fake.List.Item(0).Broadcast), broadcast);
}

void TestEnumNetworkItfs::fillKeepsPlatformOrderAndFlags()
{
    TFakeAdapters fake;
    fake.Adapters = {
        Raw("127.0.0.1", "255.0.0.0", TRawNetInterface::Up | TRawNetInterface::Loopback),
        Raw("10.8.0.2", "255.255.255.255", TRawNetInterface::Up | TRawNetInterface::PointToPoint),
        Raw("192.168.1.20", "255.255.255.0", 0)};
    fake.List.Fill();
    QCOMPARE(Addresses(fake.List), QStringList({"127.0.0.1", "10.8.0.2", "192.168.1.20"}));
    const TNetInterfaceInfo& loopback = fake.List.Item(0);
    QVERIFY(loopback.IsUp && loopback.IsLoopback && !loopback.IsPointToPoint);
    const TNetInterfaceInfo& tunnel = fake.List.Item(1);
    QVERIFY(tunnel.IsUp && !tunnel.IsLoopback && tunnel.IsPointToPoint);
    QVERIFY(!fake.List.Item(2).IsUp);
    QCOMPARE(fake.List.Item(2).Owner, &fake.List);
    QCOMPARE(fake.List.IndexOf(&tunnel), 1);

    // A second fill starts afresh.
    fake.Adapters.pop_back();
    fake.List.Fill();
    QCOMPARE(fake.List.Count(), 2);
}

void TestEnumNetworkItfs::refreshDropsLoopbackAndDown()
{
    TFakeAdapters fake;
    fake.Adapters = {
        Raw("127.0.0.1", "255.0.0.0", TRawNetInterface::Up | TRawNetInterface::Loopback),
        Raw("10.0.0.5", "255.0.0.0", 0), Raw("192.168.1.20", "255.255.255.0"),
        Raw("10.0.0.6", "255.0.0.0", TRawNetInterface::Loopback),
        Raw("10.8.0.2", "255.255.255.255", TRawNetInterface::Up | TRawNetInterface::PointToPoint)};
    fake.List.Refresh();
    QCOMPARE(Addresses(fake.List), QStringList({"192.168.1.20", "10.8.0.2"}));
}

void TestEnumNetworkItfs::atMostThirteen()
{
    TFakeAdapters fake;
    for (int i = 1; i <= 20; ++i)
        fake.Adapters.push_back(Raw(qPrintable(QStringLiteral("10.0.0.%1").arg(i)), "255.0.0.0"));
    fake.List.Refresh();
    QCOMPARE(fake.List.Count(), TNetInterfaceInfoList::MaxInterfaces);
    QCOMPARE(AddressToDotted(fake.List.Item(12).Address), QStringLiteral("10.0.0.13"));
}

void TestEnumNetworkItfs::findByBroadcast_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("second adapter") << "10.255.255.255" << 1;
    QTest::newRow("first adapter") << "192.168.1.255" << 0;
    QTest::newRow("no match gives the first") << "172.16.255.255" << 0;
    QTest::newRow("not an address gives the first") << "abc" << 0;
}

void TestEnumNetworkItfs::findByBroadcast()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    TFakeAdapters fake;
    fake.Adapters = {Raw("192.168.1.20", "255.255.255.0"), Raw("10.1.2.3", "255.0.0.0")};
    fake.List.Refresh();
    QCOMPARE(fake.List.FindByBroadcast(text), &fake.List.Item(index));
}

void TestEnumNetworkItfs::findOnEmptyList()
{
    TFakeAdapters fake;
    fake.List.Refresh();
    QCOMPARE(fake.List.FindByBroadcast(QStringLiteral("192.168.1.255")), nullptr);
}

void TestEnumNetworkItfs::describe()
{
    TFakeAdapters fake;
    fake.Adapters = {Raw("10.1.2.3", "255.0.0.0"), Raw("192.168.1.20", "255.255.255.0")};
    fake.List.Refresh();
    QCOMPARE(fake.List.Describe(fake.List.Item(0)),
             QStringLiteral("Adapter #1 (10.1.2.3 / 255.0.0.0) Broadcast: 10.255.255.255"));
    QCOMPARE(fake.List.Describe(fake.List.Item(1)),
             QStringLiteral("Adapter #2 (192.168.1.20 / 255.255.255.0) Broadcast: 192.168.1.255"));
}

void TestEnumNetworkItfs::deleteAndClear()
{
    TFakeAdapters fake;
    fake.Adapters = {Raw("10.0.0.1", "255.0.0.0"), Raw("10.0.0.2", "255.0.0.0"),
                     Raw("10.0.0.3", "255.0.0.0")};
    fake.List.Refresh();
    fake.List.Delete(1);
    QCOMPARE(Addresses(fake.List), QStringList({"10.0.0.1", "10.0.0.3"}));
    fake.List.Delete(7);
    fake.List.Delete(-1);
    QCOMPARE(fake.List.Count(), 2);
    fake.List.Clear();
    QCOMPARE(fake.List.Count(), 0);
}

void TestEnumNetworkItfs::systemAdaptersAreIPv4()
{
    // Whatever this machine has: never the loopback adapter, never one that is down.
    TAvailableNetInterfaces& list = AvailableNetInterfaces();
    QCOMPARE(&AvailableNetInterfaces(), &list);
    for (int i = 0; i < list.Count(); ++i) {
        QVERIFY(list.Item(i).IsUp);
        QVERIFY(!list.Item(i).IsLoopback);
        QCOMPARE(list.Item(i).Broadcast, ~list.Item(i).Netmask | list.Item(i).Address);
    }
}

QTEST_APPLESS_MAIN(TestEnumNetworkItfs)
#include "tst_enumnetworkitfs.moc"
