#include "ui/WindowStateRules.h"

#include <QtTest>

Q_DECLARE_METATYPE(TWindowCommand)

class TestWindowStateRules : public QObject
{
    Q_OBJECT
private slots:
    void toggle_data()
    {
        QTest::addColumn<bool>("covered");
        QTest::addColumn<bool>("wasMaximized");
        QTest::addColumn<TWindowCommand>("command");
        QTest::newRow("in plain view: minimize") << false << false << TWindowCommand::Minimize;
        QTest::newRow("in plain view, maximized: minimize")
            << false << true << TWindowCommand::Minimize;
        QTest::newRow("out of sight: restore") << true << false << TWindowCommand::Restore;
        QTest::newRow("out of sight, was maximized: maximize")
            << true << true << TWindowCommand::Maximize;
    }
    void toggle()
    {
        QFETCH(bool, covered);
        QFETCH(bool, wasMaximized);
        QFETCH(TWindowCommand, command);
        QCOMPARE(ToggleCommand(covered, wasMaximized), command);
    }

    void minimizeIntoTheTray_data()
    {
        QTest::addColumn<bool>("trayIcon");
        QTest::addColumn<bool>("noButton");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("hides");
        QTest::newRow("defaults with a tray") << true << true << true << true;
        QTest::newRow("no tray icon: keeps the task-bar button") << false << true << true << false;
        QTest::newRow("button wanted") << true << false << true << false;
        // A desktop without a tray would leave no way back to a hidden chat.
        QTest::newRow("desktop without a tray") << true << true << false << false;
    }
    void minimizeIntoTheTray()
    {
        QFETCH(bool, trayIcon);
        QFETCH(bool, noButton);
        QFETCH(bool, trayAvailable);
        QFETCH(bool, hides);
        QCOMPARE(MinimizeHidesInTray(trayIcon, noButton, trayAvailable), hides);
    }

    void closeAndPages()
    {
        QCOMPARE(CloseCommand(true), TWindowCommand::Minimize);
        QCOMPARE(CloseCommand(false), TWindowCommand::Close);
        QCOMPARE(ToggledPage(5000), 0);
        QCOMPARE(ToggledPage(10000), 1);
        QCOMPARE(ToggledPage(0), -1);
        QCOMPARE(ToggledPage(123), -1);
    }
};

QTEST_APPLESS_MAIN(TestWindowStateRules)
#include "tst_windowstaterules.moc"
