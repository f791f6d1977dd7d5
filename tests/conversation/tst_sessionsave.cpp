#include "config/Globals.h"
#include "config/Utils.h"
#include "conversation/SessionSave.h"

#include <QtTest>

#include <QTextCursor>
#include <QTextDocument>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TChatView)
Q_DECLARE_METATYPE(TSessionFormat)

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool IsRoot()
{
    return ::geteuid() == 0;
}

// A console as the main window fills it: a coloured time stamp, a message with a picture.
void FillConsole(QTextDocument& document)
{
    QImage smile(8, 8, QImage::Format_ARGB32);
    smile.fill(qRgb(250, 200, 0));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("emoticon:0")), smile);
    QTextCursor cursor(&document);
    QTextCharFormat gray;
    gray.setForeground(QColor(0x80, 0x80, 0x80));
    QTextCharFormat red;
    red.setForeground(QColor(0xff, 0, 0));
    cursor.insertText(QStringLiteral("[12:00:00] "), gray);
    cursor.insertText(QStringLiteral("<Bob> Anna: \u043f\u0440\u0438\u0432\u0435\u0442 "), red);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("emoticon:0"));
    picture.setProperty(QTextFormat::ImageAltText, QStringLiteral(":-)"));
    cursor.insertImage(picture);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("[12:00:01] "), gray);
    cursor.insertText(QStringLiteral("<Anna> caf\u00e9\u2028second line"), red);
}

const QByteArray ConsolePlainText =
    "[12:00:00] <Bob> Anna: \xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 :-)\n"
    "[12:00:01] <Anna> caf\xc3\xa9\nsecond line\n";

struct TShownMessage {
    QString Caption;
    QString Text;
};
} // namespace

class TestSessionSave : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FDir;
    QList<TShownMessage> FMessages;

    QString Path(const QString& name) const { return FDir->filePath(name); }
    TFileMessageFn Recorder()
    {
        return [this](QWidget*, const QString& caption, const QString& text) {
            FMessages.append({caption, text});
        };
    }
    QStringList Entries() const
    {
        return QDir(FDir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        FMessages.clear();
        AppFolder = FDir->path() + u'/';
    }
    void cleanup()
    {
        AppFolder.clear();
        FDir.reset();
    }

    void format_data()
    {
        QTest::addColumn<TChatView>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<TSessionFormat>("format");
        const auto conference = TChatView::Conference;
        const auto priv = TChatView::Private;
        QTest::newRow("conference rtf") << conference << "/x/a.rtf" << TSessionFormat::Rtf;
        QTest::newRow("conference txt") << conference << "/x/a.txt" << TSessionFormat::Rtf;
        QTest::newRow("conference TXT") << conference << "/x/a.TXT" << TSessionFormat::Rtf;
        QTest::newRow("private txt") << priv << "/x/a.txt" << TSessionFormat::PlainText;
        QTest::newRow("private TxT") << priv << "/x/a.TxT" << TSessionFormat::PlainText;
        QTest::newRow("private rtf") << priv << "/x/a.rtf" << TSessionFormat::Rtf;
        QTest::newRow("private txt.rtf") << priv << "/x/a.txt.rtf" << TSessionFormat::Rtf;
        QTest::newRow("private no dot") << priv << "/x/atxt" << TSessionFormat::Rtf;
        QTest::newRow("private no suffix") << priv << "/x/a" << TSessionFormat::Rtf;
    }
    void format()
    {
        QFETCH(TChatView, view);
        QFETCH(QString, name);
        QFETCH(TSessionFormat, format);
        QCOMPARE(SessionFormatFor(view, name), format);
    }

    void plainTextIsUtf8WithAltTextForPictures()
    {
        QTextDocument document;
        FillConsole(document);
        QCOMPARE(SessionFileContent(document, TSessionFormat::PlainText), ConsolePlainText);
        QTextDocument empty;
        QCOMPARE(SessionFileContent(empty, TSessionFormat::PlainText), QByteArray());
    }

    void dialogRequest_data()
    {
        QTest::addColumn<TChatView>("view");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("conference") << TChatView::Conference << "Zelkit Chat - saving conference"
                                    << "Conference";
        QTest::newRow("private") << TChatView::Private << "Zelkit Chat - saving private messages"
                                 << "Private";
    }
    void dialogRequest()
    {
        QFETCH(TChatView, view);
        QFETCH(QString, title);
        QFETCH(QString, fileName);
        const TSaveDialogRequest request =
            SessionDialogRequest(view, nullptr, QStringLiteral("Zelkit Chat"));
        QCOMPARE(request.Title, title);
        QCOMPARE(request.FileName, fileName);
        QCOMPARE(request.Folder, AppFolder);
        QCOMPARE(request.Filters, QStringList({"Rich text (*.rtf)", "All files (*)"}));
        QCOMPARE(request.DefaultSuffix, QStringLiteral("rtf"));
    }

    void dialogTitleDefaultsToTheApplicationsName()
    {
        QCOMPARE(SessionDialogRequest(TChatView::Conference).Title,
                 QStringLiteral("Zelkit Chat - saving conference"));
    }

    void dialogOpensInTheDocumentsWhenTheProgramFolderIsNotWritable()
    {
        AppFolder = Path(QStringLiteral("missing/"));
        QCOMPARE(SessionDialogRequest(TChatView::Private).Folder, GetPersonalFolder());
    }

    void saveWritesTheChosenFormat_data()
    {
        QTest::addColumn<TChatView>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("rtf");
        QTest::newRow("conference rtf") << TChatView::Conference << "Conference.rtf" << true;
        QTest::newRow("conference txt") << TChatView::Conference << "Conference.txt" << true;
        QTest::newRow("private rtf") << TChatView::Private << "Private.rtf" << true;
        QTest::newRow("private txt") << TChatView::Private << "Private.txt" << false;
    }
    void saveWritesTheChosenFormat()
    {
        QFETCH(TChatView, view);
        QFETCH(QString, name);
        QFETCH(bool, rtf);
        QTextDocument document;
        FillConsole(document);
        const QString target = Path(name);
        QString asked;
        const auto dialog = [&](const TSaveDialogRequest& request) {
            asked = request.Title;
            return target;
        };
        QVERIFY(SaveSession(document, view, nullptr, dialog, Recorder()));
        QVERIFY(!asked.isEmpty());
        const QByteArray written = ReadAll(target);
        if (rtf) {
            QVERIFY(written.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
            QVERIFY(written.contains("\\pngblip"));
            QVERIFY(written.contains("\\u1087\\'3f"));
        } else {
            QCOMPARE(written, ConsolePlainText);
        }
        QVERIFY(FMessages.isEmpty());
        QCOMPARE(Entries(), QStringList({name}));
    }

    void cancelWritesNothing()
    {
        QTextDocument document;
        FillConsole(document);
        QVERIFY(!SaveSession(
            document, TChatView::Conference, nullptr,
            [](const TSaveDialogRequest&) { return QString(); }, Recorder()));
        QVERIFY(FMessages.isEmpty());
        QVERIFY(Entries().isEmpty());
    }

    void saveReplacesAnOldFileAndKeepsItsMode()
    {
        const QString target = Path(QStringLiteral("old.rtf"));
        QVERIFY(WriteFile(target, "old content"));
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        QTextDocument document;
        FillConsole(document);
        QVERIFY(SaveSessionToFile(document, TChatView::Conference, target, nullptr, Recorder()));
        QVERIFY(ReadAll(target).startsWith("{\\rtf1"));
        const QFile::Permissions ofUser = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
        QCOMPARE(QFile::permissions(target) & ~ofUser, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(Entries(), QStringList({"old.rtf"}));
    }

    void unwritableTargetKeepsTheOldFileAndReports_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder") << "folder";
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("empty name") << "empty";
        QTest::newRow("disk full") << "full";
        QTest::newRow("read-only folder") << "read-only folder";
        QTest::newRow("read-only file") << "read-only file";
    }
    void unwritableTargetKeepsTheOldFileAndReports()
    {
        QFETCH(QString, kind);
        if (kind.startsWith(QLatin1String("read-only")) && IsRoot())
            QSKIP("permissions do not stop root");
        const QByteArray old = "old session, not to be lost";
        QString target = Path(QStringLiteral("keep/session.txt"));
        QVERIFY(QDir().mkpath(Path(QStringLiteral("keep"))));
        QVERIFY(WriteFile(target, old));
        if (kind == QLatin1String("folder"))
            target = Path(QStringLiteral("keep"));
        else if (kind == QLatin1String("missing"))
            target = Path(QStringLiteral("nowhere/session.txt"));
        else if (kind == QLatin1String("empty"))
            target.clear();
        else if (kind == QLatin1String("read-only folder"))
            QVERIFY(QFile::setPermissions(Path(QStringLiteral("keep")),
                                          QFile::ReadOwner | QFile::ExeOwner));
        else if (kind == QLatin1String("read-only file"))
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));

        QTextDocument document;
        FillConsole(document);
        // A file size limit stands in for a full disk: nothing of the new file fits.
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (kind == QLatin1String("full")) {
            rlimit small = saved;
            small.rlim_cur = 16;
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        const bool saved_ok =
            SaveSessionToFile(document, TChatView::Private, target, nullptr, Recorder());
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QFile::setPermissions(Path(QStringLiteral("keep")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QVERIFY(!saved_ok);
        QCOMPARE(ReadAll(Path(QStringLiteral("keep/session.txt"))), old);
        QCOMPARE(QDir(Path(QStringLiteral("keep"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"session.txt"}));
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("nowhere"))));
        QCOMPARE(FMessages.size(), 1);
        QCOMPARE(FMessages[0].Caption, QStringLiteral("Incorrect File Name"));
        const QStringList lines = FMessages[0].Text.split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], target);
        QVERIFY2(!lines[1].isEmpty(), qPrintable(FMessages[0].Text));
    }
};

QTEST_MAIN(TestSessionSave)
#include "tst_sessionsave.moc"
