#include "ui/IpAddressEdit.h"

#include <QtTest>

class TestIpAddressEdit : public QObject
{
    Q_OBJECT

private slots:
    void setAddress_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("dotted") << "192.168.1.255"
                                << "192.168.1.255";
        QTest::newRow("spaces around") << " 10.0.0.255 "
                                       << "10.0.0.255";
        QTest::newRow("short form") << "10.1"
                                    << "10.0.0.1";
        QTest::newRow("not an address") << "chat-server"
                                        << "255.255.255.255";
    }
    void setAddress()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        TIpAddressEdit edit;
        edit.SetAddress(stored);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.Address(), shown);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::newRow("whole") << "172.16.0.255"
                               << "172.16.0.255"
                               << "172.16.0.255";
        QTest::newRow("missing numbers are 0") << "192.168."
                                               << "192.168."
                                               << "192.168.0.0";
        QTest::newRow("above 255 is refused") << "256"
                                              << "25"
                                              << "25.0.0.0";
        QTest::newRow("letters are refused") << "1a.2"
                                             << "1.2"
                                             << "1.2.0.0";
        QTest::newRow("a fifth number is refused") << "1.2.3.4.5"
                                                   << "1.2.3.45"
                                                   << "1.2.3.45";
        QTest::newRow("empty") << ""
                               << ""
                               << "0.0.0.0";
    }
    void typing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, address);
        TIpAddressEdit edit;
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.Address(), address);
    }
};

QTEST_MAIN(TestIpAddressEdit)
#include "tst_ipaddressedit.moc"
