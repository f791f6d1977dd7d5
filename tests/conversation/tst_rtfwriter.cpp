#include "conversation/RtfWriter.h"
#include "platform/CodePage.h"

#include <QtTest>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

// The RTF is read back by unrtf (a reader that shares no code with ours), whose HTML is then
// parsed by Qt only to decode its entities and colours.
namespace {
const QColor Gray(0x80, 0x80, 0x80);
const QColor Red(0xff, 0x00, 0x00);
const QColor Navy(0x00, 0x00, 0x80);

QTextCharFormat Colored(const QColor& color)
{
    QTextCharFormat format;
    format.setForeground(color);
    return format;
}

QImage Picture(int width, int height, QRgb seed)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgba((x * 37 + qRed(seed)) & 0xff, (y * 53 + qGreen(seed)) & 0xff,
                                 qBlue(seed), 0xff));
    return image;
}

void InsertPicture(QTextCursor& cursor, const QString& name, int width = 0)
{
    QTextImageFormat format;
    format.setName(name);
    if (width > 0)
        format.setWidth(width);
    cursor.insertImage(format);
}

QImage Normalized(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Every {\pict ...} group: its control words and its decoded data.
struct TPict {
    QByteArray Controls;
    QByteArray Data;
};

QList<TPict> Picts(const QByteArray& rtf)
{
    QList<TPict> result;
    static const QRegularExpression pict(
        QStringLiteral(R"(\{\\pict((?:\\[a-z]+-?\d*)+)\s+([0-9a-f\s]*)\})"));
    auto it = pict.globalMatch(QString::fromLatin1(rtf));
    while (it.hasNext()) {
        const auto match = it.next();
        QByteArray hex = match.captured(2).toLatin1();
        hex.replace('\n', "").replace(' ', "");
        result.append({match.captured(1).toLatin1(), QByteArray::fromHex(hex)});
    }
    return result;
}
} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FDir;

    // unrtf --html of the RTF, run in the temporary folder, where it leaves the pictures.
    QString UnrtfHtml(const QByteArray& rtf)
    {
        const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
        if (unrtf.isEmpty())
            qFatal("unrtf not found: run scripts/install-deps.sh");
        QFile file(FDir->filePath(QStringLiteral("in.rtf")));
        if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
            return {};
        file.close();
        QProcess process;
        process.setWorkingDirectory(FDir->path());
        process.start(unrtf, {QStringLiteral("--html"), QStringLiteral("in.rtf")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    std::unique_ptr<QTextDocument> ReadBack(const QByteArray& rtf)
    {
        auto document = std::make_unique<QTextDocument>();
        document->setHtml(UnrtfHtml(rtf));
        return document;
    }

    static QTextCharFormat FormatOf(const QTextDocument& document, const QString& text)
    {
        const int at = static_cast<int>(document.toPlainText().indexOf(text));
        if (at < 0)
            return {};
        QTextCursor cursor(const_cast<QTextDocument*>(&document));
        cursor.setPosition(at + 1);
        return cursor.charFormat();
    }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
    }
    void cleanup() { FDir.reset(); }

    void escape_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");
        auto row = [](const char* name, const char* page, const QString& text, const char* rtf) {
            QTest::newRow(name) << QByteArray(page) << text << QByteArray(rtf);
        };
        row("plain", "cp1252", QStringLiteral("Hello, world!"), "Hello, world!");
        row("backslash", "cp1252", QStringLiteral("a\\b"), "a\\\\b");
        row("braces", "cp1252", QStringLiteral("{x}"), "\\{x\\}");
        row("e acute", "cp1252", QStringLiteral("caf\u00e9"), "caf\\u233\\'e9");
        row("e acute in cp1251", "cp1251", QStringLiteral("\u00e9"), "\\u233\\'3f");
        row("cyrillic in cp1251", "cp1251", QStringLiteral("\u042f"), "\\u1071\\'df");
        row("cyrillic in cp1252", "cp1252", QStringLiteral("\u042f"), "\\u1071\\'3f");
        row("delete", "cp1252", QStringLiteral("\u007f"), "\\u127\\'7f");
        row("highest positive", "cp1252", QStringLiteral("\u7fff"), "\\u32767\\'3f");
        row("lowest negative", "cp1252", QStringLiteral("\u8000"), "\\u-32768\\'3f");
        row("replacement", "cp1252", QStringLiteral("\ufffd"), "\\u-3\\'3f");
        row("euro", "cp1252", QStringLiteral("\u20ac"), "\\u8364\\'80");
        row("surrogate pair", "cp1252", QStringLiteral("\U0001F600"),
            "\\u-10179\\'3f\\u-8704\\'3f");
        row("tab", "cp1252", QStringLiteral("a\tb"), "a\\tab b");
        row("line separator", "cp1252", QStringLiteral("a\u2028b"), "a\\line b");
        row("newline", "cp1252", QStringLiteral("a\nb"), "a\\line b");
        row("no-break space", "cp1252", QStringLiteral("a\u00a0b"), "a\\~b");
        row("control", "cp1252", QStringLiteral("a\u0001\rb"), "ab");
        row("object mark", "cp1252", QStringLiteral("a\ufffcb"), "ab");
    }
    void escape()
    {
        QFETCH(QByteArray, codePage);
        QFETCH(QString, text);
        QFETCH(QByteArray, rtf);
        QCOMPARE(RtfEscapeText(text, TCodePage(codePage)), rtf);
    }

    void header()
    {
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        document.setPlainText(QStringLiteral("x"));
        const QByteArray rtf = DocumentToRtf(document, TCodePage("cp1251"));
        QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil Arial;}}"),
                 rtf.constData());
        QVERIFY(rtf.contains("\\fs24 "));
        QVERIFY(rtf.trimmed().endsWith('}'));
        for (const char c : rtf)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }

    void textRoundTrips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("braces and backslash") << QStringLiteral("a {b} c\\d \\par {\\b x}");
        QTest::newRow("cyrillic") << QStringLiteral(
            "\u041f\u0440\u0438\u0432\u0435\u0442, \u043c\u0438\u0440!");
        QTest::newRow("accents") << QStringLiteral("caf\u00e9 cr\u00e8me br\u00fbl\u00e9e");
        QTest::newRow("mixed") << QStringLiteral("\u00e9{\\}\u0416}");
        QTest::newRow("trailing backslash") << QStringLiteral("end\\");
    }
    void textRoundTrips()
    {
        QFETCH(QString, text);
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("first"), Colored(Gray));
        cursor.insertBlock();
        cursor.insertText(text, Colored(Red));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("last"));
        const auto back = ReadBack(DocumentToRtf(document, TCodePage("cp1252")));
        QCOMPARE(back->toPlainText().trimmed(),
                 QStringLiteral("first\n") + text + QStringLiteral("\nlast"));
    }

    void colorTableHasOneEntryPerColor()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("[12:00:00] "), Colored(Gray));
        cursor.insertText(QStringLiteral("<Bob> hello"), Colored(Red));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("[12:00:01] "), Colored(Gray));
        cursor.insertText(QStringLiteral("<Ann> hi"), Colored(Navy));
        cursor.insertText(QStringLiteral(" plain"), QTextCharFormat());
        cursor.insertText(QStringLiteral(" again red"), Colored(Red));
        const QByteArray rtf = DocumentToRtf(document, TCodePage("cp1252"));

        QVERIFY2(rtf.contains("{\\colortbl;\\red128\\green128\\blue128;\\red255\\green0\\blue0;"
                              "\\red0\\green0\\blue128;}"),
                 rtf.constData());
        const auto back = ReadBack(rtf);
        QCOMPARE(FormatOf(*back, QStringLiteral("[12:00:00]")).foreground().color(), Gray);
        QCOMPARE(FormatOf(*back, QStringLiteral("<Bob> hello")).foreground().color(), Red);
        QCOMPARE(FormatOf(*back, QStringLiteral("[12:00:01]")).foreground().color(), Gray);
        QCOMPARE(FormatOf(*back, QStringLiteral("<Ann> hi")).foreground().color(), Navy);
        QCOMPARE(FormatOf(*back, QStringLiteral(" again red")).foreground().color(), Red);
        QVERIFY(
            !FormatOf(*back, QStringLiteral(" plain")).hasProperty(QTextFormat::ForegroundBrush));
    }

    void styles()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        cursor.insertText(QStringLiteral("normal "));
        cursor.insertText(QStringLiteral("thick"), bold);
        cursor.insertText(QStringLiteral(" "));
        cursor.insertText(QStringLiteral("slanted"), italic);
        cursor.insertText(QStringLiteral(" "));
        cursor.insertText(QStringLiteral("lined"), underline);
        const auto back = ReadBack(DocumentToRtf(document, TCodePage("cp1252")));
        QCOMPARE(FormatOf(*back, QStringLiteral("thick")).fontWeight(), int(QFont::Bold));
        QVERIFY(FormatOf(*back, QStringLiteral("slanted")).fontItalic());
        QVERIFY(FormatOf(*back, QStringLiteral("lined")).fontUnderline());
        const QTextCharFormat normal = FormatOf(*back, QStringLiteral("normal"));
        QVERIFY(normal.fontWeight() < QFont::DemiBold && !normal.fontItalic() &&
                !normal.fontUnderline());
    }

    void picturesAreEmbedded()
    {
        QTextDocument document;
        const QImage smile = Picture(12, 10, qRgb(10, 200, 30));
        const QImage wink = Picture(16, 16, qRgb(90, 20, 250));
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("emoticon:1")),
                             smile);
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("emoticon:2")),
                             QPixmap::fromImage(wink));
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("<Bob> hi "), Colored(Red));
        InsertPicture(cursor, QStringLiteral("emoticon:1"));
        cursor.insertText(QStringLiteral(" and "), Colored(Red));
        InsertPicture(cursor, QStringLiteral("emoticon:2"), 32);
        // A picture the document does not hold is left out.
        InsertPicture(cursor, QStringLiteral("emoticon:99"));
        cursor.insertText(QStringLiteral(" end"), Colored(Red));
        InsertPicture(cursor, QStringLiteral("emoticon:1"));
        const QByteArray rtf = DocumentToRtf(document, TCodePage("cp1252"));

        const QList<TPict> picts = Picts(rtf);
        QCOMPARE(picts.size(), 3);
        QCOMPARE(picts[2].Controls, picts[0].Controls);
        QCOMPARE(picts[2].Data, picts[0].Data);
        QCOMPARE(picts[0].Controls,
                 QByteArray("\\pngblip\\picw12\\pich10\\picwgoal180\\pichgoal150"));
        QCOMPARE(picts[1].Controls,
                 QByteArray("\\pngblip\\picw16\\pich16\\picwgoal480\\pichgoal240"));
        QVERIFY(picts[0].Data.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(Normalized(QImage::fromData(picts[0].Data, "PNG")), Normalized(smile));
        QCOMPARE(Normalized(QImage::fromData(picts[1].Data, "PNG")), Normalized(wink));

        const QString html = UnrtfHtml(rtf);
        QCOMPARE(html.count(QStringLiteral("picture data found")), 3);
        QCOMPARE(Normalized(QImage(FDir->filePath(QStringLiteral("pict001.png")))),
                 Normalized(smile));
        QCOMPARE(Normalized(QImage(FDir->filePath(QStringLiteral("pict002.png")))),
                 Normalized(wink));
        QCOMPARE(Normalized(QImage(FDir->filePath(QStringLiteral("pict003.png")))),
                 Normalized(smile));
        QVERIFY(!QFileInfo::exists(FDir->filePath(QStringLiteral("pict004.png"))));
        QTextDocument back;
        back.setHtml(html);
        QVERIFY2(back.toPlainText().contains(QStringLiteral(" and ")), qPrintable(html));
        QVERIFY(back.toPlainText().contains(QStringLiteral(" end")));
    }

    void webLinksBecomeFields()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat nick = Colored(Red);
        nick.setAnchor(true);
        nick.setAnchorHref(QStringLiteral("Bob"));
        QTextCharFormat web = Colored(Navy);
        web.setAnchor(true);
        web.setAnchorHref(QStringLiteral("http://example.org/a?b=\"c\""));
        web.setFontUnderline(true);
        cursor.insertText(QStringLiteral("<"), Colored(Red));
        cursor.insertText(QStringLiteral("Bob"), nick);
        cursor.insertText(QStringLiteral("> see "), Colored(Red));
        cursor.insertText(QStringLiteral("http://example.org/a?b=\"c\""), web);
        cursor.insertText(QStringLiteral(" now"), Colored(Red));
        const QByteArray rtf = DocumentToRtf(document, TCodePage("cp1252"));

        QCOMPARE(rtf.count("\\field"), 1);
        QVERIFY2(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \"http://example.org/a?b=%22c%22\"}}"
                              "{\\fldrslt{{\\cf2\\ul http://example.org/a?b=\"c\"}}}}"),
                 rtf.constData());
        const QString html = UnrtfHtml(rtf);
        QVERIFY2(html.contains(QStringLiteral("http://example.org/a?b=%22c%22")), qPrintable(html));
        QTextDocument back;
        back.setHtml(html);
        QVERIFY2(back.toPlainText().contains(QStringLiteral("<Bob> see ")), qPrintable(html));
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
