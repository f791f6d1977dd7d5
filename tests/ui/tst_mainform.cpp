// The main window as the program starts, labels, configures and ends it.
#include "MainFormProbe.h"
#include "Utf16File.h"

#include "lang/LngDefId.h"
#include "net/NetProc.h"
#include "ui/MainActions.h"
#include "ui/StatusBarHints.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
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

    // Opening the submenu again and again keeps one choice; a file that no longer loads
    // leaves the texts and the check mark where they were.
    void languageMenuReopened()
    {
        TMainFormProbe p;
        QVERIFY(QDir(p.Home.path()).mkpath(QStringLiteral("Language")));
        const QString path = p.Home.filePath(QStringLiteral("Language/test.lng"));
        QVERIFY(WriteBytes(path, Utf16File(TestLanguage)));
        const QString folder = p.Home.path() + QLatin1Char('/');
        p.Lang.SetAppFolder([folder] { return folder; });
        p.Form->ApplyLanguage();
        for (int i = 0; i < 3; ++i)
            QVERIFY(LanguageEntry(*p.Form, QStringLiteral("Testisch (Test)")));
        QMenu* menu = FindMenu(*p.Form, "miLanguage");
        QCOMPARE(menu->findChildren<QActionGroup*>().size(), 1);
        QCOMPARE(menu->actions().size(), 2);

        QAction* test = LanguageEntry(*p.Form, QStringLiteral("Testisch (Test)"));
        QVERIFY(QFile::remove(path));
        test->trigger();
        QCOMPARE(CaptionOf(*p.Form, "miFile"), Text(sidMenuFile));
        QVERIFY(FindAction(*p.Form, "miDefLanguage")->isChecked());
        QVERIFY(!test->isChecked());
    }

    // The pop-up entries show the keys of their main-menu twins, but only one entry of each
    // key answers it in the window, or Qt would find the key ambiguous and run neither.
    void shortcutsOwnedOnce()
    {
        TMainFormProbe p;
        const std::pair<const char*, const char*> twins[] = {
            {"mipCut", "miCut"},
            {"mipCopy", "miCopy"},
            {"mipPaste", "miPaste"},
            {"mipSelectAll", "miSelectAll"},
            {"mipSaveSession", "miSaveSession"},
            {"mipUpdateList", "miUpdateClients"},
        };
        for (const auto& [popup, main] : twins) {
            QVERIFY2(!p.Action(popup)->shortcut().isEmpty(), popup);
            QCOMPARE(p.Action(popup)->shortcut(), p.Action(main)->shortcut());
        }
        QHash<QKeySequence, QString> owners;
        for (QAction* a : p.Form->findChildren<QAction*>()) {
            if (a->shortcut().isEmpty() || a->shortcutContext() == Qt::WidgetShortcut)
                continue;
            QVERIFY2(
                !owners.contains(a->shortcut()),
                qPrintable(a->objectName() + QLatin1String(" and ") + owners.value(a->shortcut())));
            owners.insert(a->shortcut(), a->objectName());
        }
    }

    // The status bar's hint names the panel under the pointer; on a boundary it stays.
    void statusBarHints()
    {
        TMainFormProbe p;
        p.Form->ApplyLanguage();
        p.Form->resize(700, 400);
        p.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.Form.get()));
        auto* hints = p.Form->statusBar()->findChild<TStatusBarHints*>();
        QVERIFY(hints);
        QCOMPARE(hints->Panel(), -1);
        QStatusBar* bar = p.Form->statusBar();
        for (int panel = 0; panel < 5; ++panel) {
            const QLabel* label = p.Form->StatusPanels[panel];
            hints->StatusBarMouseMove(label->geometry().center().x());
            QCOMPARE(hints->Panel(), panel);
            QCOMPARE(bar->toolTip(), Text(sidStateHint + panel));
        }
        hints->StatusBarMouseMove(p.Form->StatusPanels[2]->geometry().left());
        QCOMPARE(hints->Panel(), 4);
        hints->StatusBarMouseMove(p.Form->StatusPanels[0]->geometry().center().x());
        QCOMPARE(bar->toolTip(), Text(sidStateHint));
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
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
