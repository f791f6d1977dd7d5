// The main window as the program starts, labels, configures and ends it.
#include "MainFormProbe.h"
#include "Utf16File.h"

#include "config/Utils.h"
#include "lang/LngDefId.h"
#include "net/NetProc.h"
#include "ui/MainActions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

namespace {

QString Text(int id)
{
    return QString::fromLatin1(DefaultStrings[id]);
}

// The caption a menu item shows, whether it is an item or a submenu.
QString CaptionOf(const TMainForm& form, const char* name)
{
    if (const QMenu* menu = FindMenu(form, name))
        return menu->title();
    const QAction* action = FindAction(form, name);
    return action ? action->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QAction* LanguageEntry(const TMainForm& form, const QString& caption)
{
    QMenu* menu = FindMenu(form, "miLanguage");
    emit menu->aboutToShow();
    for (QAction* a : menu->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

const QString TestLanguage = QStringLiteral("0000=Testisch\r\n0001=Test\r\n"
                                            "0002=Konferenz\r\n0005=&Datei\r\n"
                                            "0011=&Benutzer wechseln...\r\n0017=&Kopieren\r\n"
                                            "0073=Schwarz\r\n0084=<mehr...>\r\n"
                                            "0100=Verbinde...\r\n0163=Smiley einfügen\r\n"
                                            "0165=Senden\r\n");

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void startUpStates()
    {
        TMainFormProbe p;
        p.Form->ApplyLanguage();
        QCOMPARE(p.Panel(0), Text(sidConnecting));
        QCOMPARE(p.Config->GetStr(broadcast_ip), QStringLiteral("127.255.255.255"));
        p.Form->show();
        QCOMPARE(p.Panel(0), Text(sidConnecting));
        QTRY_COMPARE_WITH_TIMEOUT(p.Panel(0), Text(sidRegistering), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(p.Panel(0), Text(sidInterrogating), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(p.Panel(0), Text(sidReady), 3000);
        QCOMPARE(p.Panel(2), ChatEndpoint().LocalIpText());
        QCOMPARE(p.Panel(3), ChatEndpoint().HostName());
        QVERIFY2(!p.Form->edGeneral->toPlainText().contains(Text(sidCantCreateSocket)),
                 qPrintable(p.Form->edGeneral->toPlainText()));
        QVERIFY(p.RegistrationRequests.isEmpty());
    }

    void registrationAtStart_data()
    {
        QTest::addColumn<int>("firstRun");
        QTest::addColumn<int>("saveSettings");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("welcome");
        QTest::newRow("stored nickname") << 0 << 1 << false << false;
        QTest::newRow("first run") << 1 << 0 << true << true;
        QTest::newRow("first run, settings kept") << 1 << 1 << true << true;
        QTest::newRow("settings not kept") << 0 << 0 << true << false;
    }
    void registrationAtStart()
    {
        QFETCH(int, firstRun);
        QFETCH(int, saveSettings);
        QFETCH(bool, dialog);
        QFETCH(bool, welcome);
        TMainFormProbe p({{first_run, firstRun}, {save_settings, saveSettings}});
        QVERIFY(p.Show());
        // The first showing in a run is the full dialog.
        QCOMPARE(p.RegistrationRequests, dialog ? QList<bool>{false} : QList<bool>{});
        const QString general = p.Form->edGeneral->toPlainText();
        QCOMPARE(general.contains(Text(sidWelcome)), welcome);
        QCOMPARE(general.contains(Text(sidVisitHomePage)), welcome);
        QTRY_COMPARE_WITH_TIMEOUT(p.Panel(0), Text(sidReady), 3000);
    }

    void sessionHeaders()
    {
        TMainFormProbe p({{first_run, 1}});
        QVERIFY(p.Show());
        const QStringList general = p.Form->edGeneral->toPlainText().split(QChar(u'\n'));
        const QStringList privateLines = p.Form->edPrivate->toPlainText().split(QChar(u'\n'));
        QCOMPARE(privateLines.size(), 1);
        QVERIFY2(privateLines[0].endsWith(QLatin1String(" - ") + Text(sidNewPrivateSession)),
                 qPrintable(privateLines[0]));
        // The two notices, then the header of the conference.
        QCOMPARE(general.size(), 3);
        QVERIFY2(general[2].endsWith(QLatin1String(" - ") + Text(sidNewConference)),
                 qPrintable(general[2]));
        // Date and time before it, the same in both views.
        const QString prefix = general[2].left(general[2].size() - Text(sidNewConference).size());
        QVERIFY(prefix.contains(QLatin1String(", ")));
        QVERIFY(privateLines[0].startsWith(prefix.left(prefix.indexOf(u','))));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        const std::pair<const char*, int> rows[] = {
            {"miFile", sidMenuFile},
            {"miEdit", sidMenuEdit},
            {"miView", sidMenuView},
            {"miTools", sidMenuOptions},
            {"miHelp", sidMenuHelp},
            {"miLanguage", sidMenuLanguage},
            {"miNewUser", sidChangeUser},
            {"miSaveSession", sidSaveSession},
            {"miOpenHistory", sidOpenHistory},
            {"miAntiboss", sidAntibossCommand},
            {"miExit", sidExit},
            {"miCut", sidCut},
            {"miCopy", sidCopy},
            {"miPaste", sidPaste},
            {"miSelectAll", sidSelectAll},
            {"miClearEditor", sidClearEditor},
            {"miClearCurrentPage", sidClearCurrentPage},
            {"miClearAll", sidClearAll},
            {"miUpdateClients", sidUpdateContactList},
            {"miFontSizeMinus", sidDecreaseFontSizeMenu},
            {"miFontSizePlus", sidIncreaseFontSizeMenu},
            {"miFontColor", sidColorOfMyMessagesMenu},
            {"miFont", sidSelectFontMenu},
            {"miShowNic", sidShowNicAtStatusBar},
            {"miSortByGender", sidSortByGenderMenu},
            {"miSortByNic", sidSortByNicMenu},
            {"miPreferences", sidPreferencesMenu},
            {"miHelpContents", sidHelpContents},
            {"miZelkitChatOnTheWeb", sidOnTheWeb},
            {"miDonate", sidDonate},
            {"miCheckForUpdates", sidCheckForUpdatesMenu},
            {"miAbout", sidAboutMenu},
            {"mipCut", sidCut},
            {"mipCopy", sidCopy},
            {"mipPaste", sidPaste},
            {"mipSelectAll", sidSelectAll},
            {"mipClearWindow", sidClearWindow},
            {"mipSaveSession", sidSaveSession},
            {"mipIgnore", sidIgnore},
            {"mipUpdateList", sidUpdateContactList},
        };
        for (const auto& [name, id] : rows)
            QTest::newRow(name) << QString::fromLatin1(name) << id;
    }
    void captions()
    {
        QFETCH(QString, name);
        QFETCH(int, id);
        TMainFormProbe p;
        p.Form->ApplyLanguage();
        QCOMPARE(CaptionOf(*p.Form, name.toLatin1().constData()), Text(id));
    }

    void pagesButtonsAndHints()
    {
        TMainFormProbe p;
        p.Form->ApplyLanguage();
        QCOMPARE(p.Form->PageCtrlMessages->tabText(0), QStringLiteral("Conference"));
        QCOMPARE(p.Form->PageCtrlMessages->tabText(1), QStringLiteral("Private"));
        QCOMPARE(p.Form->btSend->text(), QStringLiteral("Send"));
        const std::pair<const char*, int> hints[] = {
            {"btEmoticons", sidInsertEmoticonHint},
            {"btFontSizeMinus", sidDecreaseFontSizeHint},
            {"btFontSizePlus", sidIncreaseFontSizeHint},
            {"btColor", sidColorOfMyMessagesHint},
            {"btFont", sidSelectFontHint},
            {"btPreferences", sidPreferencesHint},
        };
        for (const auto& [name, id] : hints) {
            auto* button = p.Form->findChild<QToolButton*>(QLatin1String(name));
            QVERIFY2(button, name);
            QCOMPARE(button->toolTip(), Text(id));
        }
        // The built-in texts are stored as no language file.
        QCOMPARE(p.Config->GetStr(language_file_name), QString());
    }

    void languageSwitch()
    {
        TMainFormProbe p;
        QVERIFY(QDir(p.Home.path()).mkpath(QStringLiteral("Language")));
        QVERIFY(WriteBytes(p.Home.filePath(QStringLiteral("Language/test.lng")),
                           Utf16File(TestLanguage)));
        const QString folder = p.Home.path() + QLatin1Char('/');
        p.Lang.SetAppFolder([folder] { return folder; });
        p.Form->ApplyLanguage();

        QAction* test = LanguageEntry(*p.Form, QStringLiteral("Testisch (Test)"));
        QVERIFY(test);
        QVERIFY(FindAction(*p.Form, "miDefLanguage")->isChecked());
        test->trigger();
        QCOMPARE(CaptionOf(*p.Form, "miFile"), QStringLiteral("&Datei"));
        QCOMPARE(CaptionOf(*p.Form, "miNewUser"), QStringLiteral("&Benutzer wechseln..."));
        QCOMPARE(CaptionOf(*p.Form, "mipCopy"), QStringLiteral("&Kopieren"));
        // What the file lacks stays English.
        QCOMPARE(CaptionOf(*p.Form, "miExit"), Text(sidExit));
        QCOMPARE(p.Form->PageCtrlMessages->tabText(0), QStringLiteral("Konferenz"));
        QCOMPARE(p.Form->PageCtrlMessages->tabText(1), Text(sidPrivate));
        QCOMPARE(p.Form->btSend->text(), QStringLiteral("Senden"));
        QCOMPARE(p.Form->findChild<QToolButton*>(QStringLiteral("btEmoticons"))->toolTip(),
                 QStringLiteral("Smiley einfügen"));
        QCOMPARE(p.Panel(0), QStringLiteral("Verbinde..."));
        for (const char* colours : {"miFontColor", "PopupMenuColor"}) {
            const QList<QAction*> items = FindMenu(*p.Form, colours)->actions();
            QCOMPARE(items.first()->text(), QStringLiteral("Schwarz"));
            QCOMPARE(items.last()->text(), QStringLiteral("<mehr...>"));
        }
        QCOMPARE(p.Config->GetStr(language_file_name), QStringLiteral("test.lng"));
        QVERIFY(LanguageEntry(*p.Form, QStringLiteral("Testisch (Test)"))->isChecked());

        FindAction(*p.Form, "miDefLanguage")->trigger();
        QCOMPARE(CaptionOf(*p.Form, "miFile"), Text(sidMenuFile));
        QCOMPARE(p.Form->btSend->text(), Text(sidSend));
        QCOMPARE(FindMenu(*p.Form, "miFontColor")->actions().first()->text(), Text(sidColorBlack));
        QCOMPARE(p.Config->GetStr(language_file_name), QString());
    }

    // The language of the settings is loaded at creation and stored again by the first
    // ApplyLanguage; a missing file leaves the built-in texts and stores none.
    void languageAtStart_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("stored");
        QTest::newRow("present") << true << QStringLiteral("&Datei") << QStringLiteral("test.lng");
        QTest::newRow("missing") << false << Text(sidMenuFile) << QString();
    }
    void languageAtStart()
    {
        QFETCH(bool, present);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("test.lng"));
        if (present)
            QVERIFY(WriteBytes(path, Utf16File(TestLanguage)));
        TMainFormProbe p({{language_file_name, path}});
        QCOMPARE(p.Config->GetStr(language_file_name), QString());
        p.Form->ApplyLanguage();
        QTEST(CaptionOf(*p.Form, "miFile"), "file");
        QTEST(p.Config->GetStr(language_file_name), "stored");
    }

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

    void settingsSavedAtExit()
    {
        TMainFormProbe p({{first_run, 1}, {font_size, 12}, {active_page, 0}});
        QVERIFY(p.Show());
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

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
