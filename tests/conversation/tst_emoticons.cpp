#include "ConsoleProbe.h"

#include "conversation/ConsoleLinks.h"
#include "conversation/EmoticonMenu.h"
#include "conversation/Emoticons.h"

#include <QGridLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

namespace {

// A document of one plain line.
void SetLine(QTextDocument& document, const QString& text)
{
    document.clear();
    QTextCursor(&document).insertText(text);
}

} // namespace

class TestEmoticons : public QObject
{
    Q_OBJECT

private slots:
    void itemsInScanOrder()
    {
        const QStringList expected = {
            ":-)", ":)",  ":-(",  ":(",  ";-)", ";)",  ":-P",  ":P",   ":-D", ":D",  ":-[",
            ":[",  ":-/", ":-\\", ":-O", ":O",  "=-O", "=O",   ":*",   ":-*", ">:O", ">:o",
            "8-)", ":$",  ":-$",  ":!",  ":-!", "O:)", "O:-)", ":'-(", ":'(", ":-x", ":-X",
        };
        QStringList codes;
        for (const TEmoticonItem& item : AppEmoticons().Items())
            codes += item.Code;
        QCOMPARE(codes, expected);
        QCOMPARE(AppEmoticons().Items().at(28).ImageIndex, 13);
    }

    void codeOf_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("code");
        const char* const codes[] = {":-)", ":-(", ";-)", ":-P", ":-D", ":-[", ":-/",  ":-O",
                                     ":*",  ">:O", "8-)", ":$",  ":!",  "O:)", ":'-(", ":-x"};
        for (int i = 0; i < 16; ++i)
            QTest::addRow("%d", i) << i << QString::fromLatin1(codes[i]);
        QTest::newRow("none") << 16 << QString();
        QTest::newRow("negative") << -1 << QString();
    }
    void codeOf()
    {
        QFETCH(int, index);
        QFETCH(QString, code);
        QCOMPARE(AppEmoticons().CodeOf(index), code);
    }

    void pictures()
    {
        const QList<QImage>& images = AppEmoticons().ImageList();
        QCOMPARE(images.size(), 16);
        for (const QImage& image : images) {
            QCOMPARE(image.size(), QSize(19, 19));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            // A yellow face: red and green high, blue low on the forehead.
            const QColor skin = image.pixelColor(9, 4);
            QVERIFY2(skin.red() > 200 && skin.green() > 120 && skin.blue() < 120,
                     qPrintable(skin.name()));
        }
    }

    void replace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("pictures");
        QTest::newRow("smile and wink")
            << "hi :-) and ;)"
            << "hi {emoticon:0} and {emoticon:2}" << QStringList{"emoticon:0", "emoticon:2"};
        QTest::newRow("one halo") << "O:-)"
                                  << "{emoticon:13}" << QStringList{"emoticon:13"};
        QTest::newRow("short halo, lower case") << "o:)"
                                                << "{emoticon:13}" << QStringList{"emoticon:13"};
        QTest::newRow("inside a word") << "Note:Please"
                                       << "Note{emoticon:3}lease" << QStringList{"emoticon:3"};
        QTest::newRow("angry before surprised")
            << ">:o >:O :O"
            << "{emoticon:9} {emoticon:9} {emoticon:7}"
            << QStringList{"emoticon:9", "emoticon:9", "emoticon:7"};
        QTest::newRow("either case")
            << ":-x:-X"
            << "{emoticon:15}{emoticon:15}" << QStringList{"emoticon:15", "emoticon:15"};
        QTest::newRow("backslash") << ":-\\"
                                   << "{emoticon:6}" << QStringList{"emoticon:6"};
        QTest::newRow("tear before sad")
            << ":'-( :'("
            << "{emoticon:14} {emoticon:14}" << QStringList{"emoticon:14", "emoticon:14"};
        QTest::newRow("overlap") << "::))"
                                 << ":{emoticon:0})" << QStringList{"emoticon:0"};
        QTest::newRow("sunglasses") << "8-)"
                                    << "{emoticon:10}" << QStringList{"emoticon:10"};
        QTest::newRow("none") << "a: b; c"
                              << "a: b; c" << QStringList{};
    }
    void replace()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QStringList, pictures);
        QTextDocument document;
        SetLine(document, text);
        QCOMPARE(AppEmoticons().ReplaceEmoticons(document), int(pictures.size()));
        QCOMPARE(Describe(document), shown);
        QCOMPARE(ImageNames(document), pictures);
        // The picture is one position of the text: the code's characters are gone.
        QCOMPARE(document.toPlainText().count(QChar::ObjectReplacementCharacter), pictures.size());
        for (const QString& name : pictures) {
            const QVariant image = document.resource(QTextDocument::ImageResource, QUrl(name));
            QCOMPARE(image.value<QImage>().size(), QSize(19, 19));
        }
        // A second scan finds nothing new.
        QCOMPARE(AppEmoticons().ReplaceEmoticons(document), 0);
    }

    void linksKeepTheirCodes()
    {
        QTextDocument document;
        const QString text = QStringLiteral("<Bob:)> see http://x.org/a:Pb;-)c :)");
        SetLine(document, text);
        QTextCursor cursor(&document);
        cursor.setPosition(1);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        QTextCharFormat nick;
        MakeLink(nick, TConsoleLink::Nick, QStringLiteral("Bob:)"));
        cursor.mergeCharFormat(nick);
        QCOMPARE(DetectLinks(document, 0), 1);
        QCOMPARE(AppEmoticons().ReplaceEmoticons(document), 1);
        QCOMPARE(Describe(document), QStringLiteral("<[nick|Bob:)|Bob:)]> see "
                                                    "[url|http://x.org/a:Pb;-)c|http://x.org/"
                                                    "a:Pb;-)c] {emoticon:0}"));
    }

    void scanFromAPosition()
    {
        QTextDocument document;
        SetLine(document, QStringLiteral(":) old\nnew :)"));
        QCOMPARE(AppEmoticons().ReplaceEmoticons(document, 7), 1);
        QCOMPARE(Describe(document), QStringLiteral(":) old\nnew {emoticon:0}"));
    }

    void missingPictureStaysText()
    {
        TEmoticonStorage storage;
        storage.SetImageList({});
        QTextDocument document;
        SetLine(document, QStringLiteral(":-)"));
        QCOMPARE(storage.ReplaceEmoticons(document), 0);
        QCOMPARE(document.toPlainText(), QStringLiteral(":-)"));
    }

    void menuLayout()
    {
        QMenu menu;
        QList<int> clicked;
        BuildEmoticonMenu(menu, AppEmoticons().ImageList(), [&](int tag) { clicked += tag; });
        QCOMPARE(menu.actions().size(), 1);
        const auto* grid = menu.findChild<QGridLayout*>();
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), 8);
        QCOMPARE(grid->rowCount(), 2);
        for (int tag = 0; tag < 16; ++tag) {
            auto* item = menu.findChild<QToolButton*>(QStringLiteral("emoticon%1").arg(tag));
            QVERIFY(item);
            QCOMPARE(grid->itemAtPosition(tag % 2, tag / 2)->widget(), item);
            QCOMPARE(item->size(), QSize(24, 29));
            QCOMPARE(item->iconSize(), QSize(19, 19));
        }
        menu.findChild<QToolButton*>(QStringLiteral("emoticon13"))->click();
        QCOMPARE(clicked, QList<int>{13});
        // Filled once: a second build replaces the items.
        BuildEmoticonMenu(menu, AppEmoticons().ImageList(), {});
        QCOMPARE(menu.actions().size(), 1);
    }

    void menuInsertsAtCaret_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("text");
        QTest::newRow("halo") << 13 << "hello O:) world";
        QTest::newRow("tear") << 14 << "hello :'-( world";
    }
    void menuInsertsAtCaret()
    {
        QFETCH(int, tag);
        QFETCH(QString, text);
        QPlainTextEdit edMsg;
        edMsg.setPlainText(QStringLiteral("hello world"));
        QTextCursor selection = edMsg.textCursor();
        selection.setPosition(6);
        selection.setPosition(11, QTextCursor::KeepAnchor);
        edMsg.setTextCursor(selection);
        EmoticonMenuItemClick(edMsg, tag);
        QCOMPARE(edMsg.toPlainText(), text);
        const int caret = 6 + int(AppEmoticons().CodeOf(tag).size()) + 1;
        QCOMPARE(edMsg.textCursor().position(), caret);
        // The editor never shows pictures.
        QVERIFY(!edMsg.toPlainText().contains(QChar::ObjectReplacementCharacter));
    }
};

QTEST_MAIN(TestEmoticons)
#include "tst_emoticons.moc"
