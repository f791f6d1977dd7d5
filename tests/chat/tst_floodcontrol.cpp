#include "chat/FloodControl.h"

#include <QtTest>

#include <optional>
#include <utility>

namespace {

// The host of a flood control: a one-shot timer on a fake clock and a log of what went out.
struct TFakeHost {
    TFloodControl Flood;
    qint64 Now = 0;
    std::optional<qint64> Deadline;
    QList<int> Armed;
    QList<std::pair<qint64, QString>> Sent;

    TFakeHost()
    {
        Flood.OnSend = [this](const QString& text) { Sent.append({Now, text}); };
        Flood.OnArmTimer = [this](int ms) {
            Armed.append(ms);
            Deadline = Now + ms;
        };
    }

    // Lets time pass up to and including the timer's deadline, if one is armed.
    void RunTimer()
    {
        if (!Deadline)
            return;
        Now = *Deadline;
        Deadline.reset();
        Flood.DelayTimerExpired();
    }
};

} // namespace

class TestFloodControl : public QObject
{
    Q_OBJECT
private slots:
    void repeatsWaitTwiceAsLongEachTime()
    {
        TFakeHost host;
        QVERIFY(host.Flood.Submit("hi"));
        QCOMPARE(host.Sent.size(), 1);
        QCOMPARE(host.Sent.last(), std::make_pair(qint64(0), QString("hi")));

        host.Now = 1000;
        QVERIFY(host.Flood.Submit("hi"));
        QVERIFY(host.Flood.IsBusy());
        QCOMPARE(host.Sent.size(), 1);
        host.RunTimer();
        QCOMPARE(host.Sent.last(), std::make_pair(qint64(1100), QString("hi")));
        QVERIFY(!host.Flood.IsBusy());

        host.Now = 2000;
        QVERIFY(host.Flood.Submit("hi"));
        host.RunTimer();
        QCOMPARE(host.Sent.last(), std::make_pair(qint64(2200), QString("hi")));
        QCOMPARE(host.Armed, QList<int>({100, 200}));

        host.Now = 3000;
        QVERIFY(host.Flood.Submit("hello"));
        QCOMPARE(host.Sent.last(), std::make_pair(qint64(3000), QString("hello")));
        QCOMPARE(host.Flood.Interval(), TFloodControl::InitialInterval);
        QCOMPARE(host.Flood.LastText(), QString("hello"));
        QVERIFY(!host.Flood.IsBusy());
    }

    void differentTextGoesOutAtOnce_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("leading blank") << "hi"
                                       << " hi";
        QTest::newRow("trailing blank") << "hi"
                                        << "hi ";
        QTest::newRow("case") << "hi"
                              << "Hi";
        QTest::newRow("longer") << "hi"
                                << "hi!";
    }
    void differentTextGoesOutAtOnce()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        TFakeHost host;
        host.Flood.Submit(first);
        host.Flood.Submit(second);
        QCOMPARE(host.Sent.size(), 2);
        QCOMPARE(host.Sent.last().second, second);
        QVERIFY(host.Armed.isEmpty());
    }

    void expiryWhileIdleDoesNothing()
    {
        TFakeHost host;
        host.Flood.DelayTimerExpired();
        host.Flood.Submit("hi");
        host.Flood.DelayTimerExpired();
        QCOMPARE(host.Sent.size(), 1);
        QCOMPARE(host.Flood.Interval(), TFloodControl::InitialInterval);
    }

    void holdingRefusesEveryText_data()
    {
        QTest::addColumn<QString>("attempt");
        QTest::newRow("the same text") << "hi";
        QTest::newRow("another text") << "hello";
    }
    void holdingRefusesEveryText()
    {
        QFETCH(QString, attempt);
        TFakeHost host;
        host.Flood.Submit("hi");
        host.Flood.Submit("hi");
        QVERIFY(!host.Flood.Submit(attempt));
        QCOMPARE(host.Flood.LastText(), QString("hi"));
        QCOMPARE(host.Armed.size(), 1);

        // The held repeat goes out exactly once, and the refused text can then be submitted.
        host.RunTimer();
        host.Flood.DelayTimerExpired();
        QCOMPARE(host.Sent.size(), 2);
        QCOMPARE(host.Sent.last().second, QString("hi"));
        QVERIFY(host.Flood.Submit(attempt));
    }

    void delaySaturatesBeforeOverflow()
    {
        TFakeHost host;
        host.Flood.Submit("hi");
        QList<int> expected;
        qint64 interval = TFloodControl::InitialInterval;
        for (int i = 0; i < 30; ++i) {
            expected.append(static_cast<int>(interval));
            interval = std::min<qint64>(interval * 2, TFloodControl::MaxInterval);
            host.Flood.Submit("hi");
            host.RunTimer();
        }
        QCOMPARE(host.Armed, expected);
        QCOMPARE(host.Armed[24], 100 << 24);
        QCOMPARE(host.Armed[25], TFloodControl::MaxInterval);
        QCOMPARE(host.Flood.Interval(), TFloodControl::MaxInterval);
        QCOMPARE(host.Sent.size(), 31);
    }

    void sendingMaySubmitTheNextText()
    {
        TFloodControl flood;
        QStringList sent;
        flood.OnSend = [&](const QString& text) {
            sent.append(text);
            if (text == "hi" && sent.size() == 2)
                flood.Submit("next");
        };
        flood.Submit("hi");
        flood.Submit("hi");
        flood.DelayTimerExpired();
        QCOMPARE(sent, QStringList({"hi", "hi", "next"}));
        QCOMPARE(flood.Interval(), TFloodControl::InitialInterval);
    }

    void worksWithoutCallbacks()
    {
        TFloodControl flood;
        QVERIFY(flood.Submit("hi"));
        QVERIFY(flood.Submit("hi"));
        QVERIFY(flood.IsBusy());
        flood.DelayTimerExpired();
        QCOMPARE(flood.Interval(), 200);
    }
};

QTEST_APPLESS_MAIN(TestFloodControl)
#include "tst_floodcontrol.moc"
