#include "config/Globals.h"
#include "config/Utils.h"
#include "conversation/ChatLog.h"
#include "conversation/HistoryActions.h"

#include <QtTest>

#include <QAction>
#include <QFileDialog>

#include <memory>

namespace {
bool Touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

TSaveDialogFn Choosing(const QString& name, TSaveDialogRequest* seen = nullptr)
{
    return [name, seen](const TSaveDialogRequest& request) {
        if (seen)
            *seen = request;
        return name;
    };
}
} // namespace

class TestHistoryActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FDir;

    QString Path(const QString& name) const { return FDir->filePath(name); }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        AppFolder = FDir->path() + u'/';
    }
    void cleanup()
    {
        AppFolder.clear();
        FDir.reset();
    }

    void dialogRequest()
    {
        const TSaveDialogRequest request = HistoryDialogRequest(QStringLiteral("/a/b.history"));
        QCOMPARE(request.Title, QStringLiteral("Select history file name"));
        QCOMPARE(request.FileName, QStringLiteral("/a/b.history"));
        QCOMPARE(request.Filters, QStringList({"History files (*.history)",
                                               "Text files (*.txt *.log)", "All files (*)"}));
        QCOMPARE(request.DefaultSuffix, QStringLiteral("history"));
    }

    void dialogFolder_data()
    {
        QTest::addColumn<bool>("historyFolder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("History folder") << true << "History/";
        QTest::newRow("program folder") << false << "";
    }
    void dialogFolder()
    {
        QFETCH(bool, historyFolder);
        QFETCH(QString, expected);
        if (historyFolder)
            QVERIFY(QDir().mkpath(Path(QStringLiteral("History"))));
        QCOMPARE(HistoryDialogRequest(QString()).Folder, AppFolder + expected);
    }

    void dialogWithoutAProgramFolderOpensInTheDocuments()
    {
        AppFolder.clear();
        QCOMPARE(HistoryDialogRequest(QString()).Folder, GetPersonalFolder());
    }

    void dialogIsConfiguredForSaving()
    {
        QVERIFY(QDir().mkpath(Path(QStringLiteral("History"))));
        QFileDialog dialog;
        ConfigureSaveDialog(dialog, HistoryDialogRequest(Path(QStringLiteral("h.history"))));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select history file name"));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(dialog.nameFilters().size(), 3);
        QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("History files (*.history)"));
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("history"));
    }

    void selectFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("taken");
        QTest::newRow("new file") << "new.history" << true;
        QTest::newRow("existing file") << "old.history" << true;
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("missing folder") << "nowhere/x.history" << false;
        QTest::newRow("a folder") << "folder" << false;
    }
    void selectFile()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, taken);
        QVERIFY(Touch(Path(QStringLiteral("old.history"))));
        QVERIFY(QDir().mkpath(Path(QStringLiteral("folder"))));
        const QString before = Path(QStringLiteral("before.history"));
        const QString choice = chosen.isEmpty() ? QString() : Path(chosen);

        TSaveDialogRequest seen;
        const QString result = SelectFile(before, nullptr, Choosing(choice, &seen));
        QCOMPARE(seen.FileName, before);
        QCOMPARE(result, taken ? choice : before);
        // Trying a name leaves nothing behind.
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("new.history"))));

        TChatLog log;
        log.SetFileName(before);
        QCOMPARE(SelectFile(log, nullptr, Choosing(choice)), taken);
        QCOMPARE(log.FileName(), taken ? choice : before);
    }

    void openInNotepad_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");
        QTest::newRow("existing") << "h.history" << true;
        QTest::newRow("missing") << "gone.history" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("no name") << "" << false;
    }
    void openInNotepad()
    {
        QFETCH(QString, name);
        QFETCH(bool, opened);
        QVERIFY(Touch(Path(QStringLiteral("h.history"))));
        QVERIFY(QDir().mkpath(Path(QStringLiteral("folder"))));
        const QString fileName = name.isEmpty() ? QString() : Path(name);
        QList<QUrl> asked;
        const auto opener = [&asked](const QUrl& url) {
            asked.append(url);
            return true;
        };
        QCOMPARE(OpenInNotepad(fileName, opener), opened);
        QCOMPARE(asked, opened ? QList<QUrl>{QUrl::fromLocalFile(fileName)} : QList<QUrl>{});

        TChatLog log;
        log.SetFileName(fileName);
        asked.clear();
        QCOMPARE(OpenInNotepad(log, opener), opened);
        QCOMPARE(asked.size(), opened ? 1 : 0);
    }

    void openInNotepadGivesAnAbsoluteUrl()
    {
        QVERIFY(Touch(Path(QStringLiteral("h.history"))));
        const QString saved = QDir::currentPath();
        QDir::setCurrent(FDir->path());
        QUrl asked;
        const bool opened = OpenInNotepad(QStringLiteral("h.history"), [&asked](const QUrl& url) {
            asked = url;
            return true;
        });
        QDir::setCurrent(saved);
        QVERIFY(opened);
        QCOMPARE(asked, QUrl::fromLocalFile(Path(QStringLiteral("h.history"))));
    }

    void refusedOpenIsReported()
    {
        QVERIFY(Touch(Path(QStringLiteral("h.history"))));
        QVERIFY(
            !OpenInNotepad(Path(QStringLiteral("h.history")), [](const QUrl&) { return false; }));
    }

    void openHistoryItem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("existing") << "h.history" << true;
        QTest::newRow("missing") << "gone.history" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("no name") << "" << false;
    }
    void openHistoryItem()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QVERIFY(Touch(Path(QStringLiteral("h.history"))));
        QVERIFY(QDir().mkpath(Path(QStringLiteral("folder"))));
        const QString fileName = name.isEmpty() ? QString() : Path(name);
        QAction item;
        item.setEnabled(!enabled);
        UpdateOpenHistoryItem(item, fileName);
        QCOMPARE(item.isEnabled(), enabled);
        QCOMPARE(HistoryFileExists(fileName), enabled);
    }

    void openHistoryItemFollowsTheFirstLine()
    {
        const QString name = Path(QStringLiteral("first.history"));
        QAction item;
        UpdateOpenHistoryItem(item, name);
        QVERIFY(!item.isEnabled());
        TChatLog log;
        log.SetFileName(name);
        log.SetOnFirstWrite([&item, name](TChatLog&) { UpdateOpenHistoryItem(item, name); });
        QVERIFY(log.SetEnabled(true));
        QVERIFY(log.WriteSessionEvent(QStringLiteral("New session started"), false));
        QVERIFY(item.isEnabled());
    }
};

QTEST_MAIN(TestHistoryActions)
#include "tst_historyactions.moc"
