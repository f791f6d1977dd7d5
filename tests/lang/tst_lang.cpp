#include "lang/Lang.h"
#include "lang/LngDefId.h"

#include "Utf16File.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString German = QStringLiteral("0000=Deutsch\r\n0001=German\r\n0002=Konferenz\r\n");

// The same file as German, its UTF-16 units in the other byte order.
QByteArray BigEndian(const QString& text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text)
        bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return bytes;
}

// Every byte value, from a fixed seed: what a damaged disk or a wrong download leaves.
QByteArray Noise(int size)
{
    QByteArray bytes;
    quint32 x = 2463534242u;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        bytes.append(char(x & 0xFF));
    }
    return bytes;
}
} // namespace

// Each test gets a program folder of its own, with or without a Language folder.
class TestLang : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FDir;
    QString FAppFolder;

    QString LanguagePath(const QString& name) const { return FAppFolder + "Language/" + name; }
    void WriteLanguage(const QString& name, const QByteArray& bytes) const
    {
        QVERIFY(QDir(FAppFolder).mkpath("Language"));
        QVERIFY(WriteBytes(LanguagePath(name), bytes));
    }
    TLangControl MakeLang() const
    {
        return TLangControl([this] { return FAppFolder; });
    }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        FAppFolder = FDir->path() + '/';
    }

    void builtInTexts()
    {
        const TLangControl lang = MakeLang();
        QVERIFY(lang.UsesDefault());
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Conference"));
        QCOMPARE(lang.GetString(sidDonate), QStringLiteral("&Donate via PayPal"));
        QCOMPARE(lang.CurrentCaption(), QStringLiteral("English (default)"));
        QCOMPARE(lang.CurrentFileName(), QString());
    }

    void idOutsideTable_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("-1") << -1;
        QTest::newRow("168") << 168;
        QTest::newRow("large") << (1 << 30);
    }
    void idOutsideTable()
    {
        QFETCH(int, id);
        WriteLanguage("de.lng", Utf16File(German + "0168=x\r\n"));
        TLangControl lang = MakeLang();
        QCOMPARE(lang.GetString(id), QString());
        QVERIFY(lang.LoadLanguage("de.lng"));
        QCOMPARE(lang.GetString(id), QString());
    }

    void noLanguageFolder()
    {
        QStringList paths{"stale"}, captions{"stale"};
        MakeLang().ListLanguages(paths, captions);
        QCOMPARE(paths, QStringList{QString()});
        QCOMPARE(captions, QStringList{"English (default)"});
    }

    void noProgramFolder()
    {
        WriteLanguage("de.lng", Utf16File(German));
        TLangControl lang{TLangControl::TFolderSource()};
        QStringList paths, captions;
        lang.ListLanguages(paths, captions);
        QCOMPARE(captions, QStringList{"English (default)"});
        QVERIFY(!lang.LoadLanguage("de.lng"));
        QVERIFY(lang.UsesDefault());
    }

    void translatesOnlyWhatTheFileHas()
    {
        WriteLanguage("de.lng", Utf16File(German + "0003=\r\n"));
        TLangControl lang = MakeLang();
        QVERIFY(lang.LoadLanguage("de.lng"));
        QVERIFY(!lang.UsesDefault());
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Konferenz"));
        QCOMPARE(lang.GetString(sidPrivate), QStringLiteral("Private")); // empty in the file
        QCOMPARE(lang.GetString(sidReady), QStringLiteral("Ready"));
        QCOMPARE(lang.CurrentCaption(), QStringLiteral("Deutsch (German)"));
        QCOMPARE(lang.CurrentFileName(), LanguagePath("de.lng"));
    }

    void listsNamedFilesSorted()
    {
        WriteLanguage("b.lng", Utf16File(German));
        WriteLanguage("B2.LNG", Utf16File("0000=Zwei\r\n0001=Two"));
        WriteLanguage("a.lng", Utf16File(German)); // same name and note: both listed
        WriteLanguage("c.lng", Utf16File("0000=Français\r\n0001=French"));
        WriteLanguage("no-note.lng", Utf16File("0000=Nix\r\n0001=\r\n"));
        WriteLanguage("no-name.lng", Utf16File("0001=Nix"));
        WriteLanguage("plain.lng", German.toUtf8());
        WriteLanguage("other.txt", Utf16File(German));
        QVERIFY(QDir(FAppFolder).mkpath("Language/dir.lng"));

        QStringList paths, captions;
        MakeLang().ListLanguages(paths, captions);
        QCOMPARE(paths, (QStringList{QString(), LanguagePath("a.lng"), LanguagePath("b.lng"),
                                     LanguagePath("B2.LNG"), LanguagePath("c.lng")}));
        QCOMPARE(captions, (QStringList{"English (default)", "Deutsch (German)", "Deutsch (German)",
                                        "Zwei (Two)", QStringLiteral(u"Français (French)")}));
    }

    void loadsListedPath()
    {
        WriteLanguage("de.lng", Utf16File(German));
        TLangControl lang = MakeLang();
        QStringList paths, captions;
        lang.ListLanguages(paths, captions);
        QCOMPARE(paths.size(), 2);
        QVERIFY(lang.LoadLanguage(paths[1]));
        QCOMPARE(lang.CurrentFileName(), paths[1]);
        QVERIFY(lang.LoadLanguage(paths[0]));
        QVERIFY(lang.UsesDefault());
    }

    void failedLoadKeepsLanguage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.lng";
        QTest::newRow("missing path") << "/nonexistent/de.lng";
        QTest::newRow("folder") << "dir.lng";
    }
    void failedLoadKeepsLanguage()
    {
        QFETCH(QString, name);
        WriteLanguage("de.lng", Utf16File(German));
        QVERIFY(QDir(FAppFolder).mkpath("Language/dir.lng"));
        TLangControl lang = MakeLang();
        QVERIFY(lang.LoadLanguage("de.lng"));
        QVERIFY(!lang.LoadLanguage(name));
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Konferenz"));
        QCOMPARE(lang.CurrentFileName(), LanguagePath("de.lng"));
    }

    void emptyNameSelectsBuiltIn()
    {
        WriteLanguage("de.lng", Utf16File(German));
        TLangControl lang = MakeLang();
        QVERIFY(lang.LoadLanguage("de.lng"));
        QVERIFY(lang.LoadLanguage(QString()));
        QVERIFY(lang.UsesDefault());
        QCOMPARE(lang.CurrentFile(), nullptr);
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Conference"));
    }

    void useDefaultLanguageDropsFile()
    {
        WriteLanguage("de.lng", Utf16File(German));
        TLangControl lang = MakeLang();
        QVERIFY(lang.LoadLanguage("de.lng"));
        lang.UseDefaultLanguage();
        QVERIFY(lang.UsesDefault());
        QCOMPARE(lang.CurrentFile(), nullptr);
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Conference"));
    }

    // A file that is there but holds nothing readable is a language without entries.
    void unmarkedFileIsEmptyLanguage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << German.toUtf8();
        QTest::newRow("empty") << QByteArray();
    }
    void unmarkedFileIsEmptyLanguage()
    {
        QFETCH(QByteArray, bytes);
        WriteLanguage("plain.lng", bytes);
        TLangControl lang = MakeLang();
        QVERIFY(lang.LoadLanguage("plain.lng"));
        QVERIFY(!lang.UsesDefault());
        QVERIFY(lang.CurrentFile() != nullptr);
        QCOMPARE(lang.CurrentFileName(), QString());
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Conference"));
    }

    // A damaged file beside a good one: the lists keep what can be read, and a damaged file
    // in effect answers what it has, the built-in texts for the rest.
    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");    // in the lists; empty: not listed
        QTest::addColumn<QString>("conference"); // text 2 once the file is in effect
        const QByteArray full = Utf16File(German);
        const qsizetype note = full.indexOf(Utf16Units("German"));
        QTest::newRow("cut inside the note") << full.left(note + 6) << "Deutsch (Ger)"
                                             << "Conference";
        QTest::newRow("cut inside the key of the note")
            << full.left(full.indexOf(Utf16Units("0001")) + 4) << ""
            << "Conference";
        // A whole unit less and half of the one before: the odd byte is no unit.
        QTest::newRow("cut inside a unit") << full.left(full.size() - 7) << "Deutsch (German)"
                                           << "Konfere";
        QTest::newRow("only the mark") << QByteArray("\xFF\xFE", 2) << ""
                                       << "Conference";
        QTest::newRow("empty") << QByteArray() << ""
                               << "Conference";
        QTest::newRow("UTF-8") << German.toUtf8() << ""
                               << "Conference";
        QTest::newRow("UTF-8 with its mark") << "\xEF\xBB\xBF" + German.toUtf8() << ""
                                             << "Conference";
        QTest::newRow("UTF-16BE") << BigEndian(German) << ""
                                  << "Conference";
        QTest::newRow("ids out of range")
            << Utf16File("0000=Aus\r\n0001=Range\r\n0168=x\r\n9999=y\r\n-002=z\r\n00a2=w\r\n"
                         "00002=v\r\n")
            << "Aus (Range)"
            << "Conference";
        QTest::newRow("only a name") << Utf16File("0000=Nur\r\n0002=Konferenz") << ""
                                     << "Konferenz";
        QTest::newRow("LF line ends")
            << Utf16File("0000=Deutsch\n0001=German\n0002=Konferenz") << ""
            << "Conference";
        QTest::newRow("a name of a megabyte")
            << Utf16File("0000=" + QString(1 << 19, u'N') + "\r\n0001=" + QString(99, u'x') +
                         QStringLiteral(u"\U0001F600") + "\r\n")
            << QString(100, u'N') + " (" + QString(99, u'x') + ")"
            << "Conference";
        QTest::newRow("noise") << Noise(3000) << ""
                               << "Conference";
        QTest::newRow("noise after the mark") << "\xFF\xFE" + Noise(3000) << ""
                                              << "Conference";
        QTest::newRow("noise after the entries")
            << Utf16File(German) + Noise(3001) << "Deutsch (German)"
            << "Konferenz";
        QTest::newRow("lone surrogates and NUL")
            << Utf16File(QStringLiteral("0000=D\xD800x\r\n0001=\xDC00\r\n0002=a%1b").arg(QChar(0)))
            << QStringLiteral("D\xD800x (\xDC00)") << QStringLiteral("a%1b").arg(QChar(0));
    }
    void brokenFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(QString, conference);
        WriteLanguage("broken.lng", bytes);
        WriteLanguage("good.lng", Utf16File(German));
        TLangControl lang = MakeLang();
        QStringList paths, captions;
        lang.ListLanguages(paths, captions);
        QStringList expected{"English (default)", "Deutsch (German)"};
        if (!caption.isEmpty())
            expected.insert(1, caption);
        QCOMPARE(captions, expected);

        QVERIFY(lang.LoadLanguage("broken.lng"));
        // The menu finds the language in effect by this caption.
        if (!caption.isEmpty())
            QCOMPARE(lang.CurrentCaption(), caption);
        QCOMPARE(lang.GetString(sidConference), conference);
        for (int id = 0; id < LngStringCount; ++id)
            QVERIFY2(!lang.GetString(id).isEmpty(), qPrintable(QString::number(id)));
        QCOMPARE(lang.GetString(LngStringCount), QString());
    }

    // Names in the folder that are no files at all: left out of the lists, refused by
    // LoadLanguage, and none of them blocks.
    void notFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("FIFO") << "fifo";
    }
    void notFiles()
    {
        QFETCH(QString, kind);
        WriteLanguage("good.lng", Utf16File(German));
        const QByteArray path = QFile::encodeName(LanguagePath("odd.lng"));
        if (kind == "folder")
            QVERIFY(QDir().mkpath(LanguagePath("odd.lng")));
        else if (kind == "dangling")
            QVERIFY(QFile::link(LanguagePath("gone"), LanguagePath("odd.lng")));
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", LanguagePath("odd.lng")));
        else
            QCOMPARE(mkfifo(path.constData(), 0600), 0);
        TLangControl lang = MakeLang();
        QStringList paths, captions;
        lang.ListLanguages(paths, captions);
        QCOMPARE(captions, (QStringList{"English (default)", "Deutsch (German)"}));
        QVERIFY(lang.LoadLanguage("good.lng"));
        QVERIFY(!lang.LoadLanguage("odd.lng"));
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Konferenz"));
    }

    void folderIsReadAtEachUse()
    {
        TLangControl lang{[] { return QString(); }};
        WriteLanguage("de.lng", Utf16File(German));
        QVERIFY(!lang.LoadLanguage("de.lng"));
        lang.SetAppFolder([this] { return FAppFolder.chopped(1); }); // no trailing "/"
        QVERIFY(lang.LoadLanguage("de.lng"));
        QCOMPARE(lang.GetString(sidConference), QStringLiteral("Konferenz"));
    }

    void globalStartsBuiltIn()
    {
        QCOMPARE(AppLang().GetString(sidReady), QStringLiteral("Ready"));
        QCOMPARE(&AppLang(), &AppLang());
    }
};

QTEST_APPLESS_MAIN(TestLang)
#include "tst_lang.moc"
