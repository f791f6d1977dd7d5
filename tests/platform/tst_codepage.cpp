#include "platform/CodePage.h"

#include <QFile>
#include <QMap>
#include <QtTest>

namespace {

// The independent table: page name -> 256 code points, -1 where the page defines no character.
QMap<QByteArray, QList<int>> ReferenceTables()
{
    QMap<QByteArray, QList<int>> tables;
    QFile file(QStringLiteral(ZELKIT_CODEPAGE_TABLE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return tables;
    QByteArray page;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("cp")) {
            page = line;
            continue;
        }
        for (const QByteArray& cell : line.split(' '))
            tables[page].append(cell == "-" ? -1 : cell.toInt(nullptr, 16));
    }
    return tables;
}

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT
private slots:
    void locales_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("German") << "de_DE" << QByteArray("cp1252");
        QTest::newRow("Russian") << "ru_RU" << QByteArray("cp1251");
        QTest::newRow("Polish") << "pl_PL" << QByteArray("cp1250");
        QTest::newRow("Greek") << "el_GR" << QByteArray("cp1253");
        QTest::newRow("Turkish") << "tr_TR" << QByteArray("cp1254");
        QTest::newRow("Lithuanian") << "lt_LT" << QByteArray("cp1257");
        QTest::newRow("Serbian Latin") << "sr_Latn_RS" << QByteArray("cp1250");
        QTest::newRow("Serbian Cyrillic") << "sr_RS" << QByteArray("cp1251");
        QTest::newRow("C locale") << "C" << QByteArray("cp1252");
    }
    void locales()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArray, page);
        QCOMPARE(TCodePage::ForLocale(locale), page);
    }

    void names_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("cp") << QByteArray("cp1251") << true;
        QTest::newRow("digits") << QByteArray("1251") << true;
        QTest::newRow("windows-") << QByteArray("Windows-1251") << true;
        QTest::newRow("multi-byte refused") << QByteArray("cp932") << false;
        QTest::newRow("nonsense") << QByteArray("utf-8") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void names()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, valid);
        const TCodePage page(name);
        QCOMPARE(page.IsValid(), valid);
        QCOMPARE(page.Name(), valid ? QByteArray("cp1251") : QByteArray("cp1252"));
    }

    void cyrillicRoundTrip()
    {
        const TCodePage page("cp1251");
        const QString text = QStringLiteral(u"Привет, Ёжик!");
        const QByteArray bytes = page.Encode(text);
        QCOMPARE(bytes.size(), text.size());
        QCOMPARE(static_cast<unsigned char>(bytes[0]), 0xCFu);
        QCOMPARE(page.Decode(bytes), text);
    }

    void unmappableBecomesQuestionMark()
    {
        const TCodePage page("cp1252");
        QCOMPARE(page.Encode(QStringLiteral(u"a\u0416b\U0001F600c")), QByteArray("a?b?c"));
        QCOMPARE(page.Encode(QStringLiteral(u"\u20ac")), QByteArray("\x80"));
    }

    // A wrong table still round-trips, so every page is compared byte by byte with a table
    // from another source.
    void tablesMatchReference_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QList<int>>("expected");
        const auto tables = ReferenceTables();
        QVERIFY(tables.size() == 10);
        for (auto it = tables.begin(); it != tables.end(); ++it)
            QTest::newRow(it.key().constData()) << it.key() << it.value();
    }
    void tablesMatchReference()
    {
        QFETCH(QByteArray, page);
        QFETCH(QList<int>, expected);
        QCOMPARE(expected.size(), 256);
        const TCodePage cp(page);
        QVERIFY(cp.IsValid());
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, static_cast<char>(b));
            const int got = cp.Decode(byte).at(0).unicode();
            // An undefined byte keeps its own value, so that nothing read is lost.
            const int want = expected[b] < 0 ? b : expected[b];
            if (got != want)
                QFAIL(qPrintable(QStringLiteral("%1 byte 0x%2: U+%3, expected U+%4")
                                     .arg(QString::fromLatin1(page))
                                     .arg(b, 2, 16, QLatin1Char('0'))
                                     .arg(got, 4, 16, QLatin1Char('0'))
                                     .arg(want, 4, 16, QLatin1Char('0'))));
            if (expected[b] >= 0)
                QCOMPARE(cp.Encode(QString(QChar(want))), byte);
        }
    }

    void hebrewTypedLocallyGoesOutInHebrew()
    {
        const TCodePage page("cp1255");
        QCOMPARE(page.Encode(QStringLiteral(u"\u05E9\u05DC\u05D5\u05DD")),
                 QByteArray("\xF9\xEC\xE5\xED"));
    }

    void upperCaseStaysWithinThePage_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("sharp s has no one-letter capital")
            << QByteArray("cp1252") << u8"straße" << u8"STRAßE";
        QTest::newRow("y diaeresis moves to 0x9F") << QByteArray("cp1252") << u8"ÿ" << u8"Ÿ";
        QTest::newRow("Cyrillic") << QByteArray("cp1251") << u8"ёжик" << u8"ЁЖИК";
        QTest::newRow("Greek final sigma") << QByteArray("cp1253") << u8"ς" << u8"Σ";
        QTest::newRow("Hebrew has no case") << QByteArray("cp1255") << u8"שלום" << u8"שלום";
    }
    void upperCaseStaysWithinThePage()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, text);
        QFETCH(QString, upper);
        const TCodePage cp(page);
        QCOMPARE(cp.Decode(cp.UpperCase(cp.Encode(text))), upper);
    }

    void everyByteSurvivesDecodeEncode()
    {
        for (const char* name : {"cp874", "cp1250", "cp1251", "cp1252", "cp1253", "cp1254",
                                 "cp1255", "cp1256", "cp1257", "cp1258"}) {
            const TCodePage page(name);
            QByteArray all(256, '\0');
            for (int i = 0; i < 256; ++i)
                all[i] = static_cast<char>(i);
            QCOMPARE(page.Encode(page.Decode(all)), all);
        }
    }
};

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
