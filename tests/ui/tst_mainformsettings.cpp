// The settings as they reach the main window, and as it leaves them at exit.
#include "MainFormProbe.h"

#include "config/Utils.h"
#include "ui/ContactView.h"
#include "ui/MainActions.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestMainFormSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void sendButtonHint_data()
    {
        QTest::addColumn<int>("sendKey");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Ctrl+Enter sends") << 0 << QStringLiteral("(Ctrl+Enter)");
        QTest::newRow("Enter sends") << 1 << QStringLiteral("(Enter)");
    }
    void sendButtonHint()
    {
        QFETCH(int, sendKey);
        TMainFormProbe p({{send_key, sendKey}});
        QTEST(p.Form->btSend->toolTip(), "hint");
    }

    void autorunFollowsTheSetting()
    {
        TMainFormProbe p({{autorun_chat, 1}});
        QVERIFY(AutorunEntryPath().startsWith(p.Home.path()));
        QVERIFY(QFile::exists(AutorunEntryPath()));
        p.Config->SetBool(autorun_chat, false);
        p.Form->ApplySettings();
        QVERIFY(!QFile::exists(AutorunEntryPath()));
    }

    void viewChecks_data()
    {
        QTest::addColumn<int>("showNic");
        QTest::addColumn<int>("byGender");
        QTest::newRow("nick shown, by gender") << 1 << 1;
        QTest::newRow("nick hidden, by nick") << 0 << 0;
    }
    void viewChecks()
    {
        QFETCH(int, showNic);
        QFETCH(int, byGender);
        TMainFormProbe p(
            {{show_nic_at_statusbar, showNic}, {contact_list_sort_by_gender, byGender}});
        QCOMPARE(p.Action("miShowNic")->isChecked(), showNic != 0);
        QCOMPARE(p.Action("miSortByGender")->isChecked(), byGender != 0);
        QCOMPARE(p.Action("miSortByNic")->isChecked(), byGender == 0);
    }

    void antibossShortcut_data()
    {
        QTest::addColumn<int>("enabled");
        QTest::addColumn<int>("keyEnabled");
        QTest::addColumn<int>("key");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("Esc") << 1 << 1 << 0 << QKeySequence(Qt::Key_Escape);
        QTest::newRow("F12") << 1 << 1 << 1 << QKeySequence(Qt::Key_F12);
        QTest::newRow("Pause") << 1 << 1 << 2 << QKeySequence(Qt::Key_Pause);
        QTest::newRow("no shortcut") << 1 << 0 << 1 << QKeySequence();
        QTest::newRow("unknown key: none") << 1 << 1 << 7 << QKeySequence();
        QTest::newRow("antiboss off") << 0 << 1 << 1 << QKeySequence(Qt::Key_F12);
    }
    void antibossShortcut()
    {
        QFETCH(int, enabled);
        QFETCH(int, keyEnabled);
        QFETCH(int, key);
        TMainFormProbe p({{antiboss_enabled, enabled},
                          {antiboss_hotkey_enabled, keyEnabled},
                          {antiboss_hotkey, key}});
        QTEST(p.Action("miAntiboss")->shortcut(), "shortcut");
        QCOMPARE(p.Action("miAntiboss")->isEnabled(), enabled != 0);
        if (QAction* tray = p.Action("mitrAntiboss"))
            QCOMPARE(tray->isEnabled(), enabled != 0);
    }

    // An unknown key keeps the shortcut in force; switching the key off removes it.
    void antibossShortcutChanges()
    {
        TMainFormProbe p({{antiboss_hotkey, 1}});
        p.Config->SetInt(antiboss_hotkey, 7);
        p.Form->ApplySettings();
        QCOMPARE(p.Action("miAntiboss")->shortcut(), QKeySequence(Qt::Key_F12));
        p.Config->SetBool(antiboss_hotkey_enabled, false);
        p.Form->ApplySettings();
        QCOMPARE(p.Action("miAntiboss")->shortcut(), QKeySequence());
    }

    void openHistoryFollowsTheFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("history file exists") << true;
        QTest::newRow("no history file") << false;
    }
    void openHistoryFollowsTheFile()
    {
        QFETCH(bool, exists);
        QTemporaryDir folder;
        const QString history = folder.filePath(QStringLiteral("chat.log"));
        if (exists) {
            QFile file(history);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TMainFormProbe p({{history_file_name, history}});
        QCOMPARE(p.Action("miOpenHistory")->isEnabled(), exists);
    }

    void settingsSavedAtExit()
    {
        QTemporaryDir folder;
        const QString history = folder.filePath(QStringLiteral("chat.log"));
        TMainFormProbe p({{first_run, 1},
                          {font_size, 12},
                          {active_page, 0},
                          {history_enabled, 1},
                          {history_file_name, history}});
        QVERIFY(!p.Action("miOpenHistory")->isEnabled());
        QVERIFY(p.Show());
        // The session's first line made the file.
        QVERIFY(p.Action("miOpenHistory")->isEnabled());
        p.Action("miFontSizePlus")->trigger();
        p.Form->PageCtrlMessages->setCurrentIndex(1);
        const int pane = p.Form->PanelClients->width();
        const int editor = p.Form->TabCtrlMsgEdit->height();
        const QRect normal = p.Form->normalGeometry();
        p.Exit();

        const std::unique_ptr<TConfig> stored = p.StoredSettings();
        QCOMPARE(stored->GetBool(first_run), false);
        QCOMPARE(stored->GetInt(font_size), 13);
        QCOMPARE(stored->GetStr(user_name), QStringLiteral("Tester"));
        QCOMPARE(stored->GetInt(active_page), 1);
        QCOMPARE(stored->GetInt(contact_list_width), pane);
        QCOMPARE(stored->GetBool(contact_list_hidden), false);
        QCOMPARE(stored->GetInt(msg_editor_height), editor);
        QCOMPARE(stored->GetInt(window_width), normal.width());
        QCOMPARE(stored->GetInt(window_height), normal.height());
        QCOMPARE(stored->GetStr(broadcast_ip), QStringLiteral("127.255.255.255"));

        QFile file(history);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY2(lines.first().endsWith(" New session started\r"), lines.first().constData());
        QCOMPARE(lines.size(), 4); // the end's line, an empty line, and the last line break
        QVERIFY2(lines[1].endsWith(" Session finished\r"), lines[1].constData());
    }

    void collapsedPaneRestored()
    {
        TMainFormProbe p({{contact_list_hidden, 1}, {contact_list_width, 12}});
        QVERIFY(p.Show());
        QVERIFY(p.Form->sbUnhideCL->isVisible());
        QVERIFY(!p.Form->lvClients->isVisible());
        QCOMPARE(p.Form->PanelClients->width(), 12);
        p.Form->sbUnhideCL->click();
        QVERIFY(p.Form->lvClients->isVisible());
        QCOMPARE(p.Form->PanelClients->width(), 30);
    }

    // The layout stored by one run is the layout of the next.
    void layoutRestoredAtStart()
    {
        TMainFormProbe p({{contact_list_width, 140}, {msg_editor_height, 100}, {active_page, 1}});
        QVERIFY(p.Show());
        QCOMPARE(p.Form->PageCtrlMessages->currentIndex(), 1);
        QCOMPARE(p.Form->PanelClients->width(), 140);
        QCOMPARE(p.Form->TabCtrlMsgEdit->height(), 100);
    }
};

QTEST_MAIN(TestMainFormSettings)
#include "tst_mainformsettings.moc"
