#include "RegTestUtil.h"
#include "config/RegistryText.h"

#include <QtTest>

namespace {
const QByteArray Header = "Windows Registry Editor Version 5.00\n\n";
const QString Ours =
    QStringLiteral(R"([HKEY_CURRENT_USER\SOFTWARE\Quorbane Software\Zelkit Chat])");
} // namespace

class TestRegistryText : public QObject
{
    Q_OBJECT
private slots:
    void parses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("typed values")
            << Header + "[HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat]\n"
                        "\"udp_port\"=dword:0000255f\n"
                        "\"user_name\"=hex:41,00,6e,00,00,00\n"
                        "\"note\"=\"C:\\\\temp \\\"q\\\" \\x\"\n"
                        "@=\"\"\n"
            << QStringList{Ours, "udp_port=4:5f 25 00 00", "user_name=3:41 00 6e 00 00 00",
                           // \x is not an escape: both characters stay
                           "note=1:" + QString::fromLatin1(
                                           EncodeRegString(u"C:\\temp \"q\" \\x").toHex(' ')),
                           "=1:00 00"};
        QTest::newRow("continued hex, any case, short dword")
            << Header + "[A]\n\"b\"=HEX:01,02,\\\n  03,04\\\n\n\"d\"=DWORD:7\n\"e\"=hex:\n"
            << QStringList{"[A]", "b=3:01 02 03 04", "d=4:07 00 00 00", "e=3:"};
        QTest::newRow("comments, blanks, CRLF, other sections")
            << QByteArray("\r\n  Windows Registry Editor Version 5.00\r\n; top\r\n\r\n[X]\r\n; "
                          "inside\r\n\"v\"=dword:00000001\r\n\r\n\r\n[Y]\r\n")
            << QStringList{"; top", "[X]", "; inside", "v=4:01 00 00 00", "[Y]"};
        QTest::newRow("other types kept")
            << Header + "[A]\n\"x\"=hex(2):25,00,00,00\n\"m\"=hex(7):41,00,00,00,00,00\n"
                        "\"q\"=hex(b):01,00,00,00,00,00,00,00\n\"gone\"=-\n\"s\"=hex(1):41,00\n"
            << QStringList{"[A]",
                           "x=2:25 00 00 00",
                           "m=7:41 00 00 00 00 00",
                           "q=11:01 00 00 00 00 00 00 00",
                           "gone=verbatim:-",
                           "s=1:41 00"};
        QTest::newRow("names and paths without regard to case")
            << Header + "[hkey_current_user\\Soft]\n\"Name\"=dword:1\n[HKEY_CURRENT_USER\\SOFT]\n"
                        "\"NAME\"=dword:2\n\"other\"=dword:3\n"
            << QStringList{"[hkey_current_user\\Soft]", "Name=4:02 00 00 00",
                           "other=4:03 00 00 00"};
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("\xEF\xBB\xBF") + Header + "[K]\n\"\xC3\xA9\"=\"\xD0\x96\"\n"
            << QStringList{"[K]", QString::fromUtf16(u"\u00e9=1:16 04 00 00")};
        QTest::newRow("empty text") << QByteArray(" \n\r\n") << QStringList{};
        QTest::newRow("UTF-16LE export")
            << Utf16Export(QString::fromUtf8(Header) +
                           QString::fromUtf16(u"[HKEY_CURRENT_USER\\K]\n\"nick\"=\"\u0416\u00e9\"\n"
                                              "\"bin\"=hex:41,00,\\\n  00,00\n"))
            << QStringList{"[HKEY_CURRENT_USER\\K]", "nick=1:16 04 e9 00 00 00",
                           "bin=3:41 00 00 00"};
    }
    void parses()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        QString error;
        const std::optional<TRegistryDocument> document = ParseRegistryText(text, &error);
        QVERIFY2(document, qPrintable(error));
        QCOMPARE(DescribeRegistry(*document), expected);

        // Written back, the document reads the same.
        const std::optional<TRegistryDocument> again =
            ParseRegistryText(SerializeRegistryText(*document));
        QVERIFY(again);
        QCOMPARE(DescribeRegistry(*again), expected);
        QVERIFY(*again == *document);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("no header") << QByteArray("[A]\n\"x\"=dword:1\n");
        QTest::newRow("REGEDIT4") << QByteArray("REGEDIT4\n\n[A]\n");
        QTest::newRow("garbage line") << Header + "[A]\nhello\n";
        QTest::newRow("value before section") << Header + "\"x\"=dword:1\n";
        QTest::newRow("section unclosed") << Header + "[A\n";
        QTest::newRow("dword not hex") << Header + "[A]\n\"x\"=dword:12z\n";
        QTest::newRow("dword too long") << Header + "[A]\n\"x\"=dword:123456789\n";
        QTest::newRow("hex byte too long") << Header + "[A]\n\"x\"=hex:123\n";
        QTest::newRow("hex empty item") << Header + "[A]\n\"x\"=hex:01,,02\n";
        QTest::newRow("hex type not hex") << Header + "[A]\n\"x\"=hex(zz):01\n";
        QTest::newRow("string unterminated") << Header + "[A]\n\"x\"=\"abc\n";
        QTest::newRow("text after string") << Header + "[A]\n\"x\"=\"a\" b\n";
        QTest::newRow("name unterminated") << Header + "[A]\n\"x=dword:1\n";
        QTest::newRow("no equals sign") << Header + "[A]\n\"x\" dword:1\n";
        QTest::newRow("invalid UTF-8") << Header + "[A]\n\"x\"=\"\xC3\x28\"\n";
        QTest::newRow("UTF-16 odd size") << Utf16Export(QString::fromUtf8(Header)) + "\x41";
        QTest::newRow("UTF-16 lone surrogate")
            << Utf16Export(QString::fromUtf8(Header) + QStringLiteral("[A]\n\"x\"=\"") +
                           QChar(0xD800) + QStringLiteral("\"\n"));
        QTest::newRow("binary junk") << QByteArray("\x00\x01\x02\xFF", 4);
    }
    void refuses()
    {
        QFETCH(QByteArray, text);
        QString error;
        QVERIFY(!ParseRegistryText(text, &error));
        QVERIFY(!error.isEmpty());
    }

    void writesTheExportSyntax()
    {
        TRegistryDocument document;
        document.SetValue("HKEY_CURRENT_USER\\K",
                          {TRegValue::Typed, "n\"a\\me", 4, EncodeDWord(0x254f), {}});
        document.SetValue("HKEY_CURRENT_USER\\K",
                          {TRegValue::Typed, "", 1, EncodeRegString(u"x"), {}});
        document.SetValue("HKEY_CURRENT_USER\\K",
                          {TRegValue::Typed, "b", 3, QByteArray::fromHex("4100"), {}});
        QCOMPARE(SerializeRegistryText(document),
                 QByteArray("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n"
                            "\"n\\\"a\\\\me\"=dword:0000254f\n@=\"x\"\n\"b\"=hex:41,00\n\n"));
    }

    // Whatever a program put into a value must survive the text form.
    void awkwardValuesSurvive_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("string with line break") << quint32(1) << EncodeRegString(u"a\nb\rc");
        QTest::newRow("string without terminator") << quint32(1) << QByteArray("A\0", 2);
        QTest::newRow("string with inner zero") << quint32(1) << QByteArray("A\0\0\0B\0\0\0", 8);
        QTest::newRow("string odd size") << quint32(1) << QByteArray("A\0\0", 3);
        QTest::newRow("string lone surrogate") << quint32(1) << QByteArray("\x00\xD8\0\0", 4);
        QTest::newRow("short dword") << quint32(4) << QByteArray("\x01\x02", 2);
        QTest::newRow("long binary") << quint32(3) << QByteArray(600, '\xAB');
        QTest::newRow("large type") << quint32(0xFFFFFFFF) << QByteArray("\x01", 1);
    }
    void awkwardValuesSurvive()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        TRegistryDocument document;
        document.SetValue(
            "P", {TRegValue::Typed, "a long value name to push the first line", type, data, {}});
        const QByteArray text = SerializeRegistryText(document);
        for (const QByteArray& line : text.split('\n'))
            QVERIFY2(line.size() <= 80, line.constData());
        const std::optional<TRegistryDocument> again = ParseRegistryText(text);
        QVERIFY(again);
        QCOMPARE(DescribeRegistry(*again), DescribeRegistry(document));
    }

    void storableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain") << "user_name" << true;
        QTest::newRow("quotes and brackets") << "a\"]\\[" << true;
        QTest::newRow("surrogate pair") << QString::fromUtf16(u"\U0001F600") << true;
        QTest::newRow("line feed") << "a\nb" << false;
        QTest::newRow("carriage return") << "a\rb" << false;
        QTest::newRow("lone surrogate") << QString(QChar(0xDC00)) << false;
    }
    void storableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, storable);
        QCOMPARE(IsStorableRegName(name), storable);
    }
};

QTEST_APPLESS_MAIN(TestRegistryText)
#include "tst_registrytext.moc"
