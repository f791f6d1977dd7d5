#include "NameEditProbe.h"

#include "conversation/ChatLog.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The history part of the registration dialog, shown only at the first showing of a run.
class TestNameEditHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<TNameEditProbe> P;
    std::unique_ptr<QTemporaryDir> FDir;

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        P = std::make_unique<TNameEditProbe>();
    }
    void cleanup() { P.reset(); }

    void historyFileDefault()
    {
        P->Config.SetStr(history_file_name, QStringLiteral("   "));
        P->Config.SetBool(history_enabled, true);
        QVERIFY(P->Show(false));
        QCOMPARE(P->HistoryFile()->text(), TChatLog::DefaultFileName());

        // Emptied and left: the default comes back.
        P->HistoryFile()->setFocus();
        P->HistoryFile()->clear();
        P->Nick()->setFocus();
        QTRY_COMPARE(P->HistoryFile()->text(), TChatLog::DefaultFileName());

        // Emptied and closed with Enter in the field itself.
        P->HistoryFile()->setFocus();
        P->HistoryFile()->clear();
        QTest::keyClick(P->HistoryFile(), Qt::Key_Return);
        QVERIFY(!P->Dialog->isVisible());
        QCOMPARE(P->Config.GetStr(history_file_name), TChatLog::DefaultFileName());
    }

    // A change of user touches nickname and gender only, even after a full showing whose
    // controls still hold other values.
    void nickOnlyLeavesHistoryAlone()
    {
        QVERIFY(P->Show(false));
        P->Child<QCheckBox>("cbEnableHistory")->setChecked(true);
        P->HistoryFile()->setText(QStringLiteral("/tmp/other.history"));
        P->Child<QCheckBox>("cbSaveSettings")->setChecked(true);
        P->Dialog->hide();
        QVERIFY(P->Show(true));
        P->Nick()->setText(QStringLiteral("Carol"));
        QVERIFY(P->Dialog->close());
        QCOMPARE(P->Config.GetStr(user_name), QStringLiteral("Carol"));
        QVERIFY(!P->Config.GetBool(history_enabled));
        QCOMPARE(P->Config.GetStr(history_file_name), QStringLiteral("/tmp/known.history"));
        QVERIFY(!P->Config.GetBool(save_settings));
    }

    void enableHistorySwitchesTheFileRow()
    {
        P->Config.SetBool(history_enabled, true);
        QVERIFY(P->Show(false));
        auto* enable = P->Child<QCheckBox>("cbEnableHistory");
        const QWidget* const row[] = {P->HistoryFile(), P->Child<QWidget>("lblHistoryFileName"),
                                      P->Child<QWidget>("btHistoryFileSelect")};
        for (const QWidget* w : row)
            QVERIFY(w->isEnabled());
        enable->click();
        for (const QWidget* w : row)
            QVERIFY(!w->isEnabled());
        QVERIFY(P->Dialog->close());
        QVERIFY(!P->Config.GetBool(history_enabled));
    }

    void historyFileSelect_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("taken");
        QTest::newRow("a new file in an existing folder") << "new.history" << true;
        QTest::newRow("a folder that does not exist") << "missing/dir/x.history" << false;
        QTest::newRow("cancelled") << "" << false;
    }
    void historyFileSelect()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, taken);
        const QString path = chosen.isEmpty() ? QString() : FDir->filePath(chosen);
        QString offered;
        P->Dialog->SetFileChooser([&](const QString& current) {
            offered = current;
            return path;
        });
        P->Config.SetBool(history_enabled, true);
        QVERIFY(P->Show(false));
        QTest::mouseClick(P->Child<QPushButton>("btHistoryFileSelect"), Qt::LeftButton);
        QCOMPARE(offered, QStringLiteral("/tmp/known.history"));
        QCOMPARE(P->HistoryFile()->text(), taken ? path : QStringLiteral("/tmp/known.history"));
        // Testing the name leaves nothing behind.
        QVERIFY(!QFile::exists(FDir->filePath("new.history")));
    }
};

QTEST_MAIN(TestNameEditHistory)
#include "tst_nameedithistory.moc"
