#include "conversation/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A notification service of our own, on a bus of our own.
class TFakeNotifications final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct TCall {
        uint ReplacesId = 0;
        QString Summary;
        QString Body;
        QStringList Actions;
        int Timeout = 0;
    };
    QStringList Capabilities{QStringLiteral("body"), QStringLiteral("actions")};
    QList<TCall> Calls;
    QList<uint> Closed;
    uint NextId = 41;

public slots:
    QStringList GetCapabilities() { return Capabilities; }
    uint Notify(const QString& /*app*/, uint replacesId, const QString& /*icon*/,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& /*hints*/, int timeout)
    {
        Calls.append({replacesId, summary, body, actions, timeout});
        return replacesId ? replacesId : ++NextId;
    }
    void CloseNotification(uint id) { Closed << id; }
};
} // namespace

class TestDesktopNotifier : public QObject
{
    Q_OBJECT

    QTemporaryDir FDir;
    QProcess FDaemon;
    QString FAddress;
    QStringList FNames;

    QDBusConnection Connect(const QString& address = {})
    {
        FNames << QStringLiteral("test%1").arg(FNames.size());
        return QDBusConnection::connectToBus(address.isEmpty() ? FAddress : address, FNames.last());
    }

    // The service's connection, with the fake registered under the well-known name.
    QDBusConnection Serve(TFakeNotifications& fake)
    {
        QDBusConnection bus = Connect();
        bus.registerObject(TDesktopNotifier::Path, &fake, QDBusConnection::ExportAllSlots);
        if (!bus.registerService(TDesktopNotifier::Service))
            qWarning("could not register the fake service");
        return bus;
    }

    static void Emit(QDBusConnection& bus, const char* name, const QVariantList& arguments)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(TDesktopNotifier::Path, TDesktopNotifier::Interface, name);
        signal.setArguments(arguments);
        bus.send(signal);
    }

private slots:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        const QString config = FDir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            QStringLiteral(
                "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                "busconfig.dtd\">\n<busconfig><type>session</type>"
                "<listen>unix:path=%1</listen><auth>EXTERNAL</auth>"
                "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                "<allow eavesdrop=\"true\"/>"
                "<allow own=\"*\"/></policy></busconfig>\n")
                .arg(FDir.filePath(QStringLiteral("bus")))
                .toUtf8());
        file.close();
        FDaemon.start(daemon,
                      {QStringLiteral("--config-file=") + config, "--nofork", "--print-address"});
        QVERIFY(FDaemon.waitForStarted());
        QVERIFY(FDaemon.waitForReadyRead(10000));
        FAddress = QString::fromUtf8(FDaemon.readLine()).trimmed();
        QVERIFY(!FAddress.isEmpty());
    }

    // Private connections must be closed before their last reference goes.
    void cleanup()
    {
        for (const QString& name : std::as_const(FNames))
            QDBusConnection::disconnectFromBus(name);
        FNames.clear();
    }

    void cleanupTestCase()
    {
        FDaemon.kill();
        FDaemon.waitForFinished();
    }

    void withoutABusNothingHappens()
    {
        TDesktopNotifier notifier(Connect(QStringLiteral("unix:path=/nonexistent/zelkit/bus")));
        int clicks = 0;
        notifier.SetOnClick([&clicks] { ++clicks; });
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("hi"), 4000);
        notifier.Close();
        QTest::qWait(0);
        QCOMPARE(notifier.CurrentId(), 0u);
        QCOMPARE(clicks, 0);
    }

    void withoutAServiceNothingIsShownUntilOneAppears()
    {
        QDBusConnection bus = Connect();
        TDesktopNotifier notifier(bus);
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("lost"), 4000);
        // The bus answers in order: once this returns, the question about the capabilities
        // has had its error, and handling the events delivers it.
        bus.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
        QCoreApplication::processEvents();
        QCOMPARE(notifier.CurrentId(), 0u);

        TFakeNotifications fake;
        QDBusConnection service = Serve(fake);
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("found"), 4000);
        QTRY_COMPARE(fake.Calls.size(), 1);
        QCOMPARE(fake.Calls[0].Body, QStringLiteral("found"));
        service.unregisterService(TDesktopNotifier::Service);
    }

    void sendsCaptionTextAndLifeAndReplacesItsLastOne()
    {
        TFakeNotifications fake;
        QDBusConnection service = Serve(fake);
        TDesktopNotifier notifier(Connect());
        notifier.Notify(QStringLiteral("Bob (private)"), QStringLiteral("hi"), 4000);
        QTRY_COMPARE(notifier.CurrentId(), fake.NextId);
        const uint first = notifier.CurrentId();
        notifier.Notify(QStringLiteral("Ann"), QStringLiteral("bye"), 0);
        QTRY_COMPARE(fake.Calls.size(), 2);

        QCOMPARE(fake.Calls[0].Summary, QStringLiteral("Bob (private)"));
        QCOMPARE(fake.Calls[0].Body, QStringLiteral("hi"));
        QCOMPARE(fake.Calls[0].Timeout, 4000);
        QCOMPARE(fake.Calls[0].ReplacesId, 0u);
        QVERIFY(fake.Calls[0].Actions.contains(QStringLiteral("default")));
        QCOMPARE(fake.Calls[1].ReplacesId, first);
        QCOMPARE(fake.Calls[1].Timeout, 0);
        service.unregisterService(TDesktopNotifier::Service);
    }

    void notificationsWhileOneIsOnItsWayWaitAndOnlyTheNewestFollows()
    {
        TFakeNotifications fake;
        QDBusConnection service = Serve(fake);
        TDesktopNotifier notifier(Connect());
        // Before the capabilities are known only the newest is kept.
        notifier.Notify(QStringLiteral("A"), QStringLiteral("1"), 4000);
        notifier.Notify(QStringLiteral("B"), QStringLiteral("2"), 4000);
        QTRY_VERIFY(notifier.CurrentId() != 0);
        const uint first = notifier.CurrentId();
        // Then C goes out at once, and D waits for C's id to replace it; E replaces D.
        notifier.Notify(QStringLiteral("C"), QStringLiteral("3"), 4000);
        notifier.Notify(QStringLiteral("D"), QStringLiteral("4"), 4000);
        notifier.Notify(QStringLiteral("E"), QStringLiteral("5"), 4000);
        QTRY_COMPARE(fake.Calls.size(), 3);
        QTest::qWait(50);
        QCOMPARE(fake.Calls.size(), 3);
        QCOMPARE(fake.Calls[0].Summary, QStringLiteral("B"));
        QCOMPARE(fake.Calls[1].Summary, QStringLiteral("C"));
        QCOMPARE(fake.Calls[1].ReplacesId, first);
        QCOMPARE(fake.Calls[2].Summary, QStringLiteral("E"));
        QCOMPARE(fake.Calls[2].ReplacesId, first);
        service.unregisterService(TDesktopNotifier::Service);
    }

    void markupIsEscapedOnlyForAServiceThatReadsIt_data()
    {
        QTest::addColumn<bool>("markup");
        QTest::addColumn<QString>("body");
        QTest::newRow("plain service") << false << "<b>Tom & Jerry</b>";
        QTest::newRow("markup service") << true << "&lt;b&gt;Tom &amp; Jerry&lt;/b&gt;";
    }
    void markupIsEscapedOnlyForAServiceThatReadsIt()
    {
        QFETCH(bool, markup);
        QFETCH(QString, body);
        TFakeNotifications fake;
        if (markup)
            fake.Capabilities << QStringLiteral("body-markup");
        QDBusConnection service = Serve(fake);
        TDesktopNotifier notifier(Connect());
        notifier.Notify(QStringLiteral("<i>Bob</i>"), QStringLiteral("<b>Tom & Jerry</b>"), 4000);
        QTRY_COMPARE(fake.Calls.size(), 1);
        QCOMPARE(fake.Calls[0].Body, body);
        QCOMPARE(fake.Calls[0].Summary, QStringLiteral("<i>Bob</i>"));
        service.unregisterService(TDesktopNotifier::Service);
    }

    void closeTakesBackTheLastOne()
    {
        TFakeNotifications fake;
        QDBusConnection service = Serve(fake);
        TDesktopNotifier notifier(Connect());
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("hi"), 0);
        QTRY_VERIFY(notifier.CurrentId() != 0);
        const uint id = notifier.CurrentId();
        notifier.Close();
        QTRY_COMPARE(fake.Closed, QList<uint>{id});
        QCOMPARE(notifier.CurrentId(), 0u);
        service.unregisterService(TDesktopNotifier::Service);
    }

    void closeBeforeTheAnswerClosesItWhenItComes()
    {
        TFakeNotifications fake;
        fake.NextId = 7;
        QDBusConnection service = Serve(fake);
        TDesktopNotifier notifier(Connect());
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("first"), 0);
        QTRY_COMPARE(notifier.CurrentId(), 8u);
        notifier.Close();
        QTRY_COMPARE(fake.Closed, QList<uint>{8});
        // Sent and taken back before the service has answered.
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("second"), 0);
        notifier.Close();
        QTRY_COMPARE(fake.Closed, (QList<uint>{8, 9}));
        QCOMPARE(fake.Calls.size(), 2);
        QCOMPARE(notifier.CurrentId(), 0u);
        service.unregisterService(TDesktopNotifier::Service);
    }

    void aClickOnTheLastOneIsReported()
    {
        TFakeNotifications fake;
        QDBusConnection service = Serve(fake);
        TDesktopNotifier notifier(Connect());
        int clicks = 0;
        notifier.SetOnClick([&clicks] { ++clicks; });
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("hi"), 0);
        QTRY_VERIFY(notifier.CurrentId() != 0);
        const uint id = notifier.CurrentId();
        Emit(service, "ActionInvoked", {id + 100, QStringLiteral("default")});
        Emit(service, "ActionInvoked", {id, QStringLiteral("other")});
        Emit(service, "ActionInvoked", {id, QStringLiteral("default")});
        QTRY_COMPARE(clicks, 1);
        QTest::qWait(50);
        QCOMPARE(clicks, 1);

        Emit(service, "NotificationClosed", {id, 2u});
        QTRY_COMPARE(notifier.CurrentId(), 0u);
        notifier.Notify(QStringLiteral("Bob"), QStringLiteral("again"), 0);
        QTRY_COMPARE(fake.Calls.size(), 2);
        QCOMPARE(fake.Calls[1].ReplacesId, 0u);
        service.unregisterService(TDesktopNotifier::Service);
    }
};

QTEST_GUILESS_MAIN(TestDesktopNotifier)
#include "tst_desktopnotifier.moc"
