#include "config/Utils.h"
#include "conversation/ChatLog.h"

#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QDateTime FixedNow(QDate(2024, 3, 5), QTime(14, 7, 9));
// "[2:07:09 PM] <Bob> " in the test's locale.
constexpr qsizetype MessageHead = 19;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// `count` lines of exactly `width` bytes, line end included, each starting with its number,
// so that a cut in the wrong place shows.
QByteArray Lines(int count, int width, const QByteArray& end = "\r\n")
{
    QByteArray result;
    result.reserve(qsizetype(count) * width);
    for (int i = 0; i < count; ++i) {
        QByteArray line = QByteArray::number(i).rightJustified(6, '0');
        line += QByteArray(width - line.size() - end.size(), '.');
        result += line + end;
    }
    return result;
}

bool IsRoot()
{
    return ::geteuid() == 0;
}

constexpr uid_t NobodyId = 65534;

// Runs `work` without the rights of root, where the test runs as root: in a child process
// that has given them up. The folder checks of root would otherwise never fail.
bool AsUnprivilegedUser(const std::function<bool()>& work)
{
    if (!IsRoot())
        return work();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(NobodyId) == 0 && ::setuid(NobodyId) == 0;
        ::_exit(dropped && work() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}
} // namespace

class TestChatLog : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FDir;

    QString Path(const QString& name) const { return FDir->filePath(name); }
    QStringList Entries() const
    {
        return QDir(FDir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }
    static std::unique_ptr<TChatLog> MakeLog(const QString& fileName, std::uint32_t limitKB = 0)
    {
        auto log = std::make_unique<TChatLog>([] { return FixedNow; });
        log->SetFileName(fileName);
        log->SetSizeLimitKB(limitKB);
        return log;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
    }
    void cleanup()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        FDir.reset();
    }

    void lines_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("kind"); // "event", "event+blank" or "message"
        QTest::addColumn<QString>("eventText");
        QTest::addColumn<QByteArray>("nick");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("bytes");
        const QString us = QStringLiteral("en_US");
        QTest::newRow("session start") << us << "event"
                                       << "New session started" << QByteArray() << QByteArray()
                                       << QByteArray("3/5/24 2:07:09 PM New session started\r\n");
        QTest::newRow("session end, then an empty line")
            << us << "event+blank"
            << "Session finished" << QByteArray() << QByteArray()
            << QByteArray("3/5/24 2:07:09 PM Session finished\r\n\r\n");
        QTest::newRow("other locale") << "de_DE"
                                      << "event"
                                      << "Neue Sitzung" << QByteArray() << QByteArray()
                                      << QByteArray("05.03.24 14:07:09 Neue Sitzung\r\n");
        QTest::newRow("event text in the code page")
            << us << "event" << QString::fromUtf16(u"Sitzung f\u00fcr \u20ac") << QByteArray()
            << QByteArray() << QByteArray("3/5/24 2:07:09 PM Sitzung f\xfcr \x80\r\n");
        QTest::newRow("conference") << us << "message" << QString() << QByteArray("Bob")
                                    << QByteArray("hi") << QByteArray("[2:07:09 PM] <Bob> hi\r\n");
        QTest::newRow("addressee stays in the text")
            << us << "message" << QString() << QByteArray("Bob") << QByteArray("Ann: hi")
            << QByteArray("[2:07:09 PM] <Bob> Ann: hi\r\n");
        QTest::newRow("private sent to Bob")
            << us << "message" << QString() << QByteArray("Me") << QByteArray("(private) Bob: hi")
            << QByteArray("[2:07:09 PM] <Me> (private) Bob: hi\r\n");
        QTest::newRow("8-bit bytes pass unchanged")
            << us << "message" << QString() << QByteArray("J\xf6rg") << QByteArray("\x80\xff")
            << QByteArray("[2:07:09 PM] <J\xf6rg> \x80\xff\r\n");
        QTest::newRow("every line break becomes CR LF")
            << us << "message" << QString() << QByteArray("Bob") << QByteArray("a\nb\r\nc\rd\n")
            << QByteArray("[2:07:09 PM] <Bob> a\r\nb\r\nc\r\nd\r\n\r\n");
        QTest::newRow("empty text") << us << "message" << QString() << QByteArray("Bob")
                                    << QByteArray() << QByteArray("[2:07:09 PM] <Bob> \r\n");
    }
    void lines()
    {
        QFETCH(QString, locale);
        QFETCH(QString, kind);
        QFETCH(QString, eventText);
        QFETCH(QByteArray, nick);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, bytes);
        QLocale::setDefault(QLocale(locale));
        WriteFile(Path("h.history"), "old\r\n");
        auto log = MakeLog(Path("h.history"));
        QVERIFY(log->SetEnabled(true));
        const bool ok = kind == "message" ? log->WriteMessage(nick, text)
                                          : log->WriteSessionEvent(eventText, kind != "event");
        QVERIFY(ok);
        QCOMPARE(ReadAll(Path("h.history")), "old\r\n" + bytes);
    }

    void enablingOpensDisablingStops()
    {
        const QString name = Path("h.history");
        auto log = MakeLog(name);
        QVERIFY(!log->Enabled());
        QVERIFY(log->WriteMessage("Bob", "before"));
        QVERIFY(!QFile::exists(name));

        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->IsOpen());
        QCOMPARE(ReadAll(name), QByteArray()); // created empty at once
        QVERIFY(log->WriteMessage("Bob", "one"));

        QVERIFY(!log->SetEnabled(false));
        QVERIFY(!log->IsOpen());
        QVERIFY(log->WriteMessage("Bob", "while off"));
        QVERIFY(log->WriteSessionEvent("while off", true));

        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->WriteMessage("Bob", "two"));
        log.reset();
        QCOMPARE(ReadAll(name), QByteArray("[2:07:09 PM] <Bob> one\r\n[2:07:09 PM] <Bob> two\r\n"));
    }

    void firstWriteRunsOnceAfterTheFirstLine()
    {
        const QString name = Path("h.history");
        auto log = MakeLog(Path("missing/h.history"));
        QList<QByteArray> seen;
        log->SetOnFirstWrite([&](TChatLog& l) {
            QCOMPARE(&l, log.get());
            seen << ReadAll(name);
        });
        log->SetEnabled(true); // refused: no folder
        QVERIFY(log->WriteMessage("Bob", "dropped"));
        QVERIFY(seen.isEmpty());

        log->SetFileName(name);
        QVERIFY(log->SetEnabled(true));
        QVERIFY(seen.isEmpty());
        QVERIFY(log->WriteSessionEvent("New session started", false));
        QVERIFY(log->WriteMessage("Bob", "hi"));
        QCOMPARE(seen, QList<QByteArray>{"3/5/24 2:07:09 PM New session started\r\n"});
    }

    void changedNameTakesEffectAtOnce()
    {
        auto log = MakeLog(Path("a.history"));
        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->WriteMessage("Bob", "to a"));
        log->SetFileName(Path("a.history"));
        QVERIFY(log->IsOpen());

        log->SetFileName(Path("b.history"));
        QVERIFY(!log->IsOpen());
        QVERIFY(log->Enabled());
        QVERIFY(log->WriteMessage("Bob", "to b"));
        QCOMPARE(ReadAll(Path("a.history")), QByteArray("[2:07:09 PM] <Bob> to a\r\n"));
        QCOMPARE(ReadAll(Path("b.history")), QByteArray("[2:07:09 PM] <Bob> to b\r\n"));
    }

    void badNames_data()
    {
        QTest::addColumn<QString>("name"); // relative to the test folder, except "empty"
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("missing folder") << "no/such/h.history" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("below a file") << "plain/h.history" << false;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("name too long") << QString(300, 'n') << false;
        QTest::newRow("read-only file") << "readonly" << true;
        QTest::newRow("read-only folder") << "locked/h.history" << true;
    }
    void badNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && IsRoot())
            QSKIP("permissions do not bind root");
        QVERIFY(QDir(FDir->path()).mkdir("folder"));
        QVERIFY(QDir(FDir->path()).mkdir("locked"));
        WriteFile(Path("plain"), "plain");
        WriteFile(Path("readonly"), "kept");
        QVERIFY(::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0600) == 0);
        QVERIFY(QFile::setPermissions(Path("readonly"), QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner));
        const QStringList before = Entries();
        const QString fileName = name.isEmpty() ? QString() : Path(name);

        QVERIFY(!TChatLog::CanCreateFile(fileName));
        auto log = MakeLog(fileName);
        QVERIFY(!log->SetEnabled(true));
        QVERIFY(!log->Enabled());
        QVERIFY(!log->LastError().isEmpty());
        QVERIFY(log->WriteMessage("Bob", "nowhere"));
        QCOMPARE(Entries(), before);
        QCOMPARE(ReadAll(Path("readonly")), QByteArray("kept"));
        QCOMPARE(ReadAll(Path("plain")), QByteArray("plain"));

        // Applying settings again with a usable name brings the log back.
        log->SetFileName(Path("good.history"));
        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->WriteMessage("Bob", "hi"));
        QCOMPARE(ReadAll(Path("good.history")), QByteArray("[2:07:09 PM] <Bob> hi\r\n"));
        QFile::setPermissions(Path("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void unusableNameWhileEnabledDropsLinesAndRecovers()
    {
        auto log = MakeLog(Path("h.history"));
        QVERIFY(log->SetEnabled(true));
        log->SetFileName(Path("missing/h.history"));
        QVERIFY(!log->WriteMessage("Bob", "lost"));
        QVERIFY(log->LastError().contains("missing"));
        QVERIFY(log->Enabled());

        log->SetFileName(Path("h.history"));
        QVERIFY(log->WriteMessage("Bob", "kept"));
        QVERIFY(log->LastError().isEmpty());
        QCOMPARE(ReadAll(Path("h.history")), QByteArray("[2:07:09 PM] <Bob> kept\r\n"));
    }

    void failedWriteLeavesNoPartLine()
    {
        const QString name = Path("h.history");
        const QByteArray old = Lines(3, 30);
        WriteFile(name, old);
        auto log = MakeLog(name);
        QVERIFY(log->SetEnabled(true));

        // A file size limit stands in for a full disk: the line fits only in part.
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(old.size() + 10);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const bool written = log->WriteMessage("Bob", QByteArray(40, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QVERIFY(!log->LastError().isEmpty());
        QCOMPARE(ReadAll(name), old);
        QVERIFY(log->WriteMessage("Bob", "next"));
        QCOMPARE(ReadAll(name), old + "[2:07:09 PM] <Bob> next\r\n");
    }

    void fileDeletedWhileOpenIsCreatedAgain()
    {
        const QString name = Path("h.history");
        auto log = MakeLog(name);
        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->WriteMessage("Bob", "one"));
        QVERIFY(QFile::remove(name));
        QVERIFY(log->WriteMessage("Bob", "two"));
        QCOMPARE(ReadAll(name), QByteArray("[2:07:09 PM] <Bob> two\r\n"));
    }

    void cut_data()
    {
        QTest::addColumn<uint>("limitKB");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("cut"); // bytes gone from the start after the write

        // 5119 lines of 100 bytes and a written line of 100 bytes: exactly 500 KB, so
        // 512000 / 1280 = 400 lines go.
        const QByteArray full = Lines(5119, 100);
        const QByteArray fills100(100 - MessageHead - 2, 'x');
        QTest::newRow("reaches the cap") << 500u << full << fills100 << qint64(40000);
        QTest::newRow("one byte below the cap") << 500u << full << fills100.mid(1) << qint64(0);
        QTest::newRow("no cap") << 0u << Lines(6000, 100) << fills100 << qint64(0);
        // 2000 + 2000 + 22 bytes: 3 lines are due, the file has only 3.
        QTest::newRow("fewer lines than due")
            << 1u << Lines(2, 2000) << QByteArray("m") << qint64(4022);
        // 1500 + 22 bytes: one line of 50 bytes ending in LF alone.
        QTest::newRow("lines ending in LF only")
            << 1u << Lines(30, 50, "\n") << QByteArray("m") << qint64(50);
        // 5000022 / 1280 = 3906 lines in one cut.
        QTest::newRow("far above the cap")
            << 1u << Lines(50000, 100) << QByteArray("m") << qint64(390600);
    }
    void cut()
    {
        QFETCH(uint, limitKB);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, text);
        QFETCH(qint64, cut);
        const QString name = Path("h.history");
        WriteFile(name, before);
        auto log = MakeLog(name, limitKB);
        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->WriteMessage("Bob", text));
        QVERIFY(log->LastError().isEmpty());

        const QByteArray whole = before + "[2:07:09 PM] <Bob> " + text + "\r\n";
        const QByteArray after = ReadAll(name);
        QCOMPARE(after.size(), whole.size() - cut);
        QVERIFY(after == whole.mid(cut));
        QCOMPARE(Entries(), QStringList{"h.history"});
        // Still appending to the same name after the cut.
        QVERIFY(log->WriteMessage("Bob", "next"));
        QVERIFY(ReadAll(name).endsWith("<Bob> next\r\n"));
    }

    void cutKeepsLinkAndPermissions()
    {
        const QString real = Path("real.history");
        WriteFile(real, Lines(20, 100));
        QVERIFY(
            QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(QFile::link(real, Path("link.history")));
        auto log = MakeLog(Path("link.history"), 1);
        QVERIFY(log->SetEnabled(true));
        QVERIFY(log->WriteMessage("Bob", "m"));

        QVERIFY(QFileInfo(Path("link.history")).isSymLink());
        QCOMPARE(ReadAll(real), Lines(20, 100).mid(100) + "[2:07:09 PM] <Bob> m\r\n");
        struct stat info {
        };
        QVERIFY(::stat(QFile::encodeName(real).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
    }

    // Where no temporary file can be made beside the history, it is cut in place.
    void cutWithoutRoomForATemporaryFile_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        // The temporary name's suffix does not fit after a name of 250 bytes.
        QTest::newRow("name too long for a suffix") << false;
        QTest::newRow("folder the user may not add to") << true;
    }
    void cutWithoutRoomForATemporaryFile()
    {
        QFETCH(bool, readOnlyFolder);
        const QString name = Path(readOnlyFolder ? QStringLiteral("h.history") : QString(250, 'h'));
        WriteFile(name, Lines(5, 100));
        if (readOnlyFolder) {
            // The user owns the file but may not add files to the folder.
            QVERIFY(::chmod(QFile::encodeName(FDir->path()).constData(), 0555) == 0);
            if (IsRoot())
                QVERIFY(::chown(QFile::encodeName(name).constData(), NobodyId, NobodyId) == 0);
        }
        const auto write = [&] {
            auto log = MakeLog(name, 1);
            bool all = log->SetEnabled(true);
            for (int i = 0; i < 200; ++i)
                all = log->WriteMessage("Bob", QByteArray(60, 'x')) && all;
            return all && log->LastError().isEmpty();
        };
        const bool ok = readOnlyFolder ? AsUnprivilegedUser(write) : write();
        ::chmod(QFile::encodeName(FDir->path()).constData(), 0700);
        QVERIFY(ok);
        const QByteArray after = ReadAll(name);
        // A cut takes size / 1280 lines, so lines of 81 bytes settle the file just above
        // 1280 bytes; uncut it would hold 16,700.
        QVERIFY2(after.size() < 1280 + 2 * 81, qPrintable(QString::number(after.size())));
        QVERIFY(after.endsWith("<Bob> " + QByteArray(60, 'x') + "\r\n"));
        QVERIFY(after.startsWith("[2:07:09 PM] <Bob> "));
        QCOMPARE(Entries().size(), 1);
    }

    void defaultFileName()
    {
        QCOMPARE(TChatLog::DefaultFileName(), GetPersonalFolder() + "ZelkitChat.history");
    }

    void canCreateFile()
    {
        WriteFile(Path("old.history"), "kept");
        QVERIFY(TChatLog::CanCreateFile(Path("old.history")));
        QCOMPARE(ReadAll(Path("old.history")), QByteArray("kept"));
        QVERIFY(TChatLog::CanCreateFile(Path("new.history")));
        QCOMPARE(Entries(), QStringList{"old.history"});
    }
};

QTEST_APPLESS_MAIN(TestChatLog)
#include "tst_chatlog.moc"
