#include "lang/Lang.h"
#include "lang/LngDefId.h"

#include "Utf16File.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString German = QStringLiteral("0000=Deutsch\r\n0001=German\r\n0002=Konferenz\r\n");
}

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
