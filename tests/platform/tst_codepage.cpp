#include "platform/CodePage.h"

#include <QtTest>

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

    void everyByteSurvivesDecodeEncode()
    {
        for (const char* name : {"cp1250", "cp1251", "cp1252", "cp1253", "cp1257"}) {
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
