// The preferences dialog as the main window shows it: from the menus and the tool bar, with
// its texts and settings applied after an OK and nothing after a Cancel.
#include "MainFormProbe.h"
#include "Utf16File.h"

#include "net/NetProc.h"
#include "ui/MainActions.h"
#include "ui/Params.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {
// Runs `inside` once the dialog is up, then clicks its button.
void WhenShown(TMainFormProbe& p, const char* button, std::function<void(TFormParams&)> inside,
               bool* wasModal)
{
    QTimer::singleShot(0, p.Form.get(), [&p, button, inside = std::move(inside), wasModal] {
        TFormParams& dialog = p.Form->Params();
        *wasModal = QApplication::activeModalWidget() == &dialog;
        if (inside)
            inside(dialog);
        dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    });
}
} // namespace

class TestMainFormPrefs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void commandsShowTheDialog_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("menu") << "miPreferences";
        QTest::newRow("tray menu") << "mitrPreferences";
        QTest::newRow("tool button") << "btPreferences";
    }
    void commandsShowTheDialog()
    {
        QFETCH(QString, command);
        TMainFormProbe p;
        bool wasModal = false;
        WhenShown(p, "btCancel", {}, &wasModal);
        if (auto* button = p.Form->findChild<QToolButton*>(command))
            button->click();
        else
            p.Action(qPrintable(command))->trigger();
        QVERIFY(wasModal);
        QVERIFY(!p.Form->Params().isVisible());
    }

    // OK stores, then the settings are applied: the antiboss command goes; the port is
    // stored but the chat keeps its own until the next start; at exit the file has both.
    void okStoresAndApplies()
    {
        TMainFormProbe p;
        QVERIFY(p.Action("miAntiboss")->isEnabled());
        bool wasModal = false;
        WhenShown(
            p, "btOK",
            [](TFormParams& dialog) {
                dialog.findChild<QCheckBox*>(QStringLiteral("cAntiboss"))->setChecked(false);
                dialog.findChild<QPushButton*>(QStringLiteral("btDefPort"))->click();
            },
            &wasModal);
        p.Action("miPreferences")->trigger();
        QVERIFY(wasModal);
        QVERIFY(!p.Action("miAntiboss")->isEnabled());
        QVERIFY(!p.Action("mitrAntiboss")->isEnabled());
        QCOMPARE(p.Config->GetInt(udp_port), 9567);
        QCOMPARE(ChatEndpoint().ChatPort(), TMainFormProbe::TestPort());
        QCOMPARE(p.Config->GetStr(broadcast_ip), QStringLiteral("127.255.255.255"));

        p.Exit();
        const auto stored = p.StoredSettings();
        QCOMPARE(stored->GetInt(udp_port), 9567);
        QVERIFY(!stored->GetBool(antiboss_enabled));
    }

    // Cancel applies nothing: a setting changed behind the dialog's back stays unapplied.
    void cancelAppliesNothing()
    {
        TMainFormProbe p;
        p.Config->SetBool(antiboss_enabled, false);
        bool wasModal = false;
        WhenShown(p, "btCancel", {}, &wasModal);
        p.Action("miPreferences")->trigger();
        QVERIFY(wasModal);
        QVERIFY(p.Action("miAntiboss")->isEnabled());
    }

    void applyLanguageRelabelsTheDialog()
    {
        TMainFormProbe p;
        const QString path = p.Home.filePath(QStringLiteral("de.lng"));
        QVERIFY(WriteBytes(path,
                           Utf16File(QStringLiteral("0000=Deutsch\r\n0001=German\r\n"
                                                    "0044=Einstellungen\r\n0072=Abbrechen\r\n"))));
        QVERIFY(p.Lang.LoadLanguage(path));
        p.Form->ApplyLanguage();
        TFormParams& dialog = p.Form->Params();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Einstellungen"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btCancel"))->text(),
                 QStringLiteral("Abbrechen"));
    }
};

QTEST_MAIN(TestMainFormPrefs)
#include "tst_mainformprefs.moc"
