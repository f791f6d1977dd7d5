#include "lang/LangFile.h"

#include "Utf16File.h"

#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using TLoadResult = TLanguageFile::TLoadResult;

namespace {
TLanguageFile Parse(const QString& text, int keyWidth = 4)
{
    return TLanguageFile::FromBytes(Utf16File(text), keyWidth);
}
} // namespace

class TestLangFile : public QObject
{
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("value");
        // The format's own examples.
        QTest::newRow("plain") << "0002=Konferenz" << 2 << "Konferenz";
        QTest::newRow("spaces around =") << "0002 = Konferenz   " << 2 << "Konferenz";
        QTest::newRow("no separator") << "0002Konferenz" << 2 << "Konferenz";
        QTest::newRow("quoted keeps spaces") << "0002 \"  Konferenz  \"" << 2 << "  Konferenz  ";
        QTest::newRow("doubled quotes")
            << "0002=\"Die \"\"Konferenz\"\" hier\" und mehr" << 2 << "Die \"Konferenz\" hier";
        QTest::newRow("empty value") << "0002=" << 2 << "";
        QTest::newRow("comment") << ";0002=Konferenz" << 2 << "";
        // Separators, keys and indentation.
        QTest::newRow("separator run") << "0002 == = =Konferenz" << 2 << "Konferenz";
        QTest::newRow("indented with spaces") << "   0002=Konferenz" << 2 << "Konferenz";
        QTest::newRow("indented with tab") << "\t0002=Konferenz" << 2 << "";
        QTest::newRow("indented comment") << "  ;0002=Konferenz" << 2 << "";
        QTest::newRow("five-digit key") << "00021=x" << 2 << "1=x";
        QTest::newRow("unpadded key") << "2=x" << 2 << "";
        QTest::newRow("key 0106") << "0106=Hallo" << 106 << "Hallo";
        QTest::newRow("longer id matches no key") << "10000=x" << 10000 << "";
        QTest::newRow("negative id") << "00-1=x" << -1 << "";
        QTest::newRow("separator to end") << "0002 = = " << 2 << "";
        QTest::newRow("key then line end") << "0002\r\n0003=x" << 2 << "";
        QTest::newRow("wide text")
            << QStringLiteral(u"0002=Конференция") << 2 << QStringLiteral(u"Конференция");
        // Values.
        QTest::newRow("trimmed controls") << "0002=\t Konferenz \t\x01" << 2 << "Konferenz";
        QTest::newRow("unterminated quote") << "0002=\"Konferenz  " << 2 << "Konferenz  ";
        QTest::newRow("unterminated quote, next line") << "0002=\"abc\r\n0003=d" << 2 << "abc";
        QTest::newRow("doubled quote at end") << "0002=\"a\"\"" << 2 << "a\"";
        QTest::newRow("empty quoted") << "0002=\"\"" << 2 << "";
        QTest::newRow("lone CR ends value") << "0002=Konf\rerenz\r\n0003=x" << 2 << "Konf";
        QTest::newRow("lone CR keeps the line") << "0002=Konf\rerenz\r\n0003=x" << 3 << "x";
        QTest::newRow("lone CR ends quoted") << "0002=\"Konf\rerenz\"" << 2 << "Konf";
        // Lines.
        QTest::newRow("LF only: first line") << "0001=a\n0002=b" << 1 << "a\n0002=b";
        QTest::newRow("LF only: no second entry") << "0001=a\n0002=b" << 2 << "";
        QTest::newRow("first wins") << "0002=A\r\n0002=B" << 2 << "A";
        QTest::newRow("first wins when empty") << "0002=\r\n0002=B" << 2 << "";
        QTest::newRow("empty lines and comments")
            << "\r\n\r\n; note\r\n  ;0002=no\r\n\r\n0002=yes\r\n"
            << 2 << "yes";
        QTest::newRow("last character, no final CR LF") << "0001=x\r\n0002=y" << 2 << "y";
        QTest::newRow("CR CR LF breaks") << "0001=a\r\r\n\r\r\n0002=b\r\r\n" << 2 << "b";
        QTest::newRow("CR CR LF keeps value") << "0001=a\r\r\n0002=b" << 1 << "a";
        QTest::newRow("stray CR at line start") << "\r0002=b" << 2 << "b";
        QTest::newRow("cut key at end") << "0002=a\r\n00" << 0 << "";
    }
    void entries()
    {
        QFETCH(QString, text);
        QFETCH(int, id);
        QFETCH(QString, value);
        const TLanguageFile file = Parse(text);
        QCOMPARE(file.LoadResult(), TLoadResult::lrLoaded);
        QCOMPARE(file.GetString(id), value);
    }

    void entryCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("one unit") << "7" << 1;
        QTest::newRow("two units") << "12" << 1;
        QTest::newRow("only breaks") << "\r\n\r\n" << 0;
        QTest::newRow("comments only") << ";a\r\n ;b" << 0;
        QTest::newRow("three entries") << "0000=a\r\n;c\r\n 0001=b\r\nx" << 3;
        QTest::newRow("LF only") << "a\nb\nc" << 1;
        QTest::newRow("CR CR LF") << "a\r\r\nb\r\r\n" << 2;
    }
    void entryCount()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(Parse(text).EntryCount(), count);
    }

    void keyWidth_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("effective");
        QTest::addColumn<QString>("line");
        QTest::newRow("below range") << -5 << 2 << "02=x";
        QTest::newRow("one") << 1 << 2 << "02=x";
        QTest::newRow("two") << 2 << 2 << "02=x";
        QTest::newRow("seven") << 7 << 7 << "0000002=x";
        QTest::newRow("ten") << 10 << 10 << "0000000002=x";
        QTest::newRow("above range") << 11 << 10 << "0000000002=x";
    }
    void keyWidth()
    {
        QFETCH(int, requested);
        QFETCH(int, effective);
        QFETCH(QString, line);
        const TLanguageFile file = Parse(line, requested);
        QCOMPARE(file.KeyWidth(), effective);
        QCOMPARE(file.GetString(2), QStringLiteral("x"));
    }

    void formatKey_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("key");
        QTest::newRow("7") << 7 << "0007";
        QTest::newRow("106") << 106 << "0106";
        QTest::newRow("not cut") << 12345 << "12345";
    }
    void formatKey()
    {
        QFETCH(int, id);
        QFETCH(QString, key);
        QCOMPARE(Parse("").FormatKey(id), key);
    }

    void marks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("value");
        const QByteArray utf16 = Utf16Units("0002=ab");
        QTest::newRow("UTF-8") << QByteArray("0002=ab") << int(TLoadResult::lrNoMark) << "";
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF"
                                                      "0002=ab")
                                        << int(TLoadResult::lrNoMark) << "";
        QByteArray bigEndian = utf16;
        for (qsizetype i = 0; i + 1 < bigEndian.size(); i += 2)
            std::swap(bigEndian[i], bigEndian[i + 1]);
        QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF", 2) + bigEndian
                                  << int(TLoadResult::lrNoMark) << "";
        QTest::newRow("no mark") << utf16 << int(TLoadResult::lrNoMark) << "";
        QTest::newRow("empty") << QByteArray() << int(TLoadResult::lrNoMark) << "";
        QTest::newRow("half a mark") << QByteArray("\xFF", 1) << int(TLoadResult::lrNoMark) << "";
        QTest::newRow("mark only") << QByteArray("\xFF\xFE", 2) << int(TLoadResult::lrLoaded) << "";
        QTest::newRow("mark") << Utf16File("0002=ab") << int(TLoadResult::lrLoaded) << "ab";
        QTest::newRow("odd trailing byte")
            << Utf16File("0002=ab") + 'c' << int(TLoadResult::lrLoaded) << "ab";
        QTest::newRow("too large")
            << Utf16File("0002=ab").leftJustified(TLanguageFile::MaxFileSize + 2, ' ')
            << int(TLoadResult::lrTooLarge) << "";
    }
    void marks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(QString, value);
        const TLanguageFile file = TLanguageFile::FromBytes(bytes, 4);
        QCOMPARE(int(file.LoadResult()), result);
        QCOMPARE(file.GetString(2), value);
        if (value.isEmpty())
            QCOMPARE(file.GetString(0), QString());
    }

    // Every cut of a file must read safely (the sanitizers watch) and keep what lies before.
    void truncatedFiles()
    {
        const QByteArray full =
            Utf16File("0000=Deutsch\r\n0001 = \"x\"\"y\r\n ;c\r\n0002==\"Konferenz\"\r\n0003");
        for (qsizetype n = 0; n <= full.size(); ++n) {
            const TLanguageFile file = TLanguageFile::FromBytes(full.left(n), 4);
            for (int id = -1; id <= 4; ++id)
                (void)file.GetString(id);
            if (n >= full.indexOf(Utf16Units("\r\n0001")))
                QCOMPARE(file.GetString(0), QStringLiteral("Deutsch"));
        }
        QCOMPARE(TLanguageFile::FromBytes(full, 4).GetString(1), QStringLiteral("x\"y"));
        QCOMPARE(TLanguageFile::FromBytes(full, 4).GetString(2), QStringLiteral("Konferenz"));
    }

    void files()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString good = dir.filePath("de.lng");
        const QString plain = dir.filePath("plain.lng");
        const QString big = dir.filePath("big.lng");
        QVERIFY(WriteBytes(good, Utf16File("0002=Konferenz\r\n")));
        QVERIFY(WriteBytes(plain, "0002=Konferenz\r\n"));
        QVERIFY(WriteBytes(big, Utf16File("0002=Konferenz\r\n")));
        QVERIFY(QFile::resize(big, TLanguageFile::MaxFileSize + 1));
        QVERIFY(QDir(dir.path()).mkdir("folder.lng"));

        const TLanguageFile loaded(good, 4);
        QCOMPARE(loaded.LoadResult(), TLoadResult::lrLoaded);
        QCOMPARE(loaded.FileName(), good);
        QCOMPARE(loaded.GetString(2), QStringLiteral("Konferenz"));

        const struct {
            QString path;
            TLoadResult result;
        } empties[] = {
            {dir.filePath("missing.lng"), TLoadResult::lrMissing},
            {QString(), TLoadResult::lrMissing},
            {dir.filePath("folder.lng"), TLoadResult::lrMissing},
            {plain, TLoadResult::lrNoMark},
            {big, TLoadResult::lrTooLarge},
        };
        for (const auto& e : empties) {
            const TLanguageFile file(e.path, 4);
            QCOMPARE(file.LoadResult(), e.result);
            QCOMPARE(file.FileName(), QString());
            QCOMPARE(file.EntryCount(), 0);
            QCOMPARE(file.GetString(2), QString());
        }
    }

    void unreadableFile()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QTemporaryDir dir;
        const QString path = dir.filePath("locked.lng");
        QVERIFY(WriteBytes(path, Utf16File("0002=Konferenz")));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        const TLanguageFile file(path, 4);
        QCOMPARE(file.LoadResult(), TLoadResult::lrUnreadable);
        QCOMPARE(file.FileName(), QString());
    }
};

QTEST_APPLESS_MAIN(TestLangFile)
#include "tst_langfile.moc"
