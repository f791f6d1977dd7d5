#include "chat/EditorText.h"

#include <QtTest>

namespace {

TEditorText Editor(const QString& text, int selStart, int selLength)
{
    return TEditorText{text, selStart, selLength};
}

void CompareEditor(const TEditorText& actual, const QString& text, int selStart, int selLength)
{
    QCOMPARE(actual.Text, text);
    QCOMPARE(actual.SelStart, selStart);
    QCOMPARE(actual.SelLength, selLength);
}

// The columns every editor-operation table shares: the editor before and after.
void AddEditorColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
}

} // namespace

class TestEditorText : public QObject
{
    Q_OBJECT
private slots:
    void trim_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks and controls") << " \t\x01"
                                                "a b\r\n"
                                             << "a b";
        QTest::newRow("inner ones stay") << "a \t b"
                                         << "a \t b";
        QTest::newRow("only blanks") << " \r\n "
                                     << "";
        QTest::newRow("non-breaking space is text")
            << QStringLiteral("\u00A0x\u00A0") << QStringLiteral("\u00A0x\u00A0");
    }
    void trim()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimBlanksAndControls(text), trimmed);
    }

    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("addressee");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("body");
        QTest::newRow("no blank") << "Bob:hello"
                                  << "Bob" << 5 << "hello";
        QTest::newRow("one blank") << "Anna: see you"
                                   << "Anna" << 7 << "see you";
        QTest::newRow("two blanks") << "Bob:  hello"
                                    << "Bob" << 6 << "hello";
        QTest::newRow("no colon") << "  just text \t"
                                  << "" << 1 << "just text";
        QTest::newRow("empty") << ""
                               << "" << 1 << "";
        QTest::newRow("only colon") << ":"
                                    << "" << 2 << "";
        QTest::newRow("colon and blank") << "Bob: "
                                         << "Bob" << 6 << "";
        QTest::newRow("addressee trimmed") << " \tBob \x01: x"
                                           << "Bob" << 10 << "x";
        QTest::newRow("first colon wins") << "a:b: c"
                                          << "a" << 3 << "b: c";
        QTest::newRow("web address") << "http://x"
                                     << "http" << 6 << "//x";
        QTest::newRow("body lines") << "Bob: one\r\ntwo\r\n"
                                    << "Bob" << 6 << "one\r\ntwo";
        QTest::newRow("non-ASCII kept")
            << QStringLiteral(" Jürgen : größer ") << QStringLiteral("Jürgen") << 11
            << QStringLiteral("größer");
    }
    void split()
    {
        QFETCH(QString, text);
        QFETCH(QString, addressee);
        QFETCH(int, pos);
        QFETCH(QString, body);
        int actualPos = -1;
        QString actualAddressee = "stale";
        SplitAddressee(text, actualPos, actualAddressee);
        QCOMPARE(actualAddressee, addressee);
        QCOMPARE(actualPos, pos);
        QCOMPARE(GetAddressee(text), addressee);
        QCOMPARE(GetMessageBody(text), body);
    }

    void replaceSelected_data()
    {
        AddEditorColumns();
        QTest::newRow("no selection changes nothing") << "abc" << 1 << 0 << "X"
                                                      << "abc" << 1 << 0;
        QTest::newRow("middle") << "abcdef" << 2 << 2 << "XYZ"
                                << "abXYZef" << 5 << 0;
        QTest::newRow("whole text") << "abc" << 0 << 3 << ""
                                    << "" << 0 << 0;
        QTest::newRow("selection past the end is clamped") << "abc" << 1 << 99 << "X"
                                                           << "aX" << 2 << 0;
        QTest::newRow("start past the end") << "abc" << 7 << 2 << "X"
                                            << "abc" << 3 << 0;
    }
    void replaceSelected()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, insert);
        TEditorText edit = Editor(text, selStart, selLength);
        ReplaceSelectedText(edit, insert);
        QFETCH(QString, newText);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        CompareEditor(edit, newText, newStart, newLength);
    }

    void insertAtCaret_data()
    {
        AddEditorColumns();
        QTest::newRow("caret") << "ab" << 1 << 0 << ":-) "
                               << "a:-) b" << 5 << 0;
        QTest::newRow("empty editor") << "" << 0 << 0 << "X"
                                      << "X" << 1 << 0;
        QTest::newRow("selection is kept after the text") << "abcd" << 1 << 2 << "X"
                                                          << "aXbcd" << 2 << 0;
        QTest::newRow("negative caret clamped") << "ab" << -4 << 0 << "X"
                                                << "Xab" << 1 << 0;
    }
    void insertAtCaret()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, insert);
        TEditorText edit = Editor(text, selStart, selLength);
        InsertTextAtCaret(edit, insert);
        QFETCH(QString, newText);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        CompareEditor(edit, newText, newStart, newLength);
    }

    void insertQuoted_data()
    {
        AddEditorColumns();
        QTest::newRow("at caret") << "hi " << 3 << 0 << "Bob"
                                  << "hi \"Bob\"" << 8 << 0;
        QTest::newRow("over selection") << "hi you" << 3 << 3 << "Bob"
                                        << "hi \"Bob\"" << 8 << 0;
    }
    void insertQuoted()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, insert);
        TEditorText edit = Editor(text, selStart, selLength);
        InsertQuotedText(edit, insert);
        QFETCH(QString, newText);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        CompareEditor(edit, newText, newStart, newLength);
    }

    void insertAddressee_data()
    {
        AddEditorColumns(); // insert is the nickname
        QTest::newRow("replaces a contact") << "Alice: hi there" << 15 << 0 << "Bob"
                                            << "Bob: hi there" << 13 << 0;
        QTest::newRow("replaces without blank") << "Alice:hi" << 8 << 0 << "Bob"
                                                << "Bob: hi" << 7 << 0;
        QTest::newRow("selection in the body moves with it")
            << "Alice: hi there" << 10 << 5 << "Bob"
            << "Bob: hi there" << 8 << 5;
        QTest::newRow("caret inside the old addressee goes after the new one")
            << "Alice: hi" << 2 << 3 << "Bob"
            << "Bob: hi" << 5 << 0;
        QTest::newRow("caret at the body start") << "Alice: hi" << 7 << 2 << "Bob"
                                                 << "Bob: hi" << 5 << 0;
        QTest::newRow("same addressee again") << "Bob: hi" << 7 << 0 << "Bob"
                                              << "Bob: hi" << 7 << 0;
        QTest::newRow("web address stays") << "see http://x" << 12 << 0 << "Bob"
                                           << "Bob: see http://x" << 17 << 0;
        QTest::newRow("http is never an addressee") << "http://x" << 0 << 0 << "Bob"
                                                    << "Bob: http://x" << 5 << 0;
        QTest::newRow("ftp is never an addressee") << "ftp://x" << 0 << 2 << "Bob"
                                                   << "Bob: ftp://x" << 5 << 2;
        QTest::newRow("unknown word before a colon stays") << "Zed: hi" << 7 << 0 << "Bob"
                                                           << "Bob: Zed: hi" << 12 << 0;
        QTest::newRow("empty editor") << "" << 0 << 0 << "Bob"
                                      << "Bob: " << 5 << 0;
        QTest::newRow("long new nick") << "Alice: hi" << 9 << 0 << "Bartholomew"
                                       << "Bartholomew: hi" << 15 << 0;
    }
    void insertAddressee()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, insert);
        // "http" and "ftp" are contacts here too: the exclusion must hold on its own.
        const QStringList contacts{"Alice", "Bob", "http", "ftp"};
        TEditorText edit = Editor(text, selStart, selLength);
        InsertAddressee(edit, insert, [&](const QString& nick) { return contacts.contains(nick); });
        QFETCH(QString, newText);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        CompareEditor(edit, newText, newStart, newLength);
    }

    void insertAddresseeWithoutContactTest()
    {
        TEditorText edit = Editor("Alice: hi", 0, 0);
        InsertAddressee(edit, "Bob", nullptr);
        CompareEditor(edit, "Bob: Alice: hi", 5, 0);
    }
};

QTEST_APPLESS_MAIN(TestEditorText)
#include "tst_editortext.moc"
