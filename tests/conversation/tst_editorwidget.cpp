#include "conversation/EditorWidget.h"

#include <QtTest>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>

namespace {
void Select(QPlainTextEdit& editor, int anchor, int position)
{
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

bool IsContact(const QString& nick)
{
    return nick == QLatin1String("Alice") || nick == QLatin1String("Bob");
}
} // namespace

class TestEditorWidget : public QObject
{
    Q_OBJECT

private slots:
    void readTakesTextAndSelectionEitherWay_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::newRow("forward") << 2 << 7;
        QTest::newRow("backward") << 7 << 2;
    }
    void readTakesTextAndSelectionEitherWay()
    {
        QFETCH(int, anchor);
        QFETCH(int, position);
        QPlainTextEdit editor;
        editor.setPlainText(QStringLiteral("one\ntwo three"));
        Select(editor, anchor, position);
        const TEditorText value = ReadEditorText(editor);
        QCOMPARE(value.Text, QStringLiteral("one\ntwo three"));
        QCOMPARE(value.SelStart, 2);
        QCOMPARE(value.SelLength, 5);
    }

    void writeIsOneUndoStep()
    {
        QPlainTextEdit editor;
        editor.setPlainText(QStringLiteral("hello world"));
        WriteEditorText(editor, {QStringLiteral("hello there, world"), 6, 5});
        QCOMPARE(editor.toPlainText(), QStringLiteral("hello there, world"));
        QCOMPARE(ReadEditorText(editor).SelStart, 6);
        QCOMPARE(ReadEditorText(editor).SelLength, 5);
        editor.undo();
        QCOMPARE(editor.toPlainText(), QStringLiteral("hello world"));
    }

    void writeClampsTheSelection()
    {
        QPlainTextEdit editor;
        WriteEditorText(editor, {QStringLiteral("abc"), 2, 10});
        QCOMPARE(ReadEditorText(editor).SelStart, 2);
        QCOMPARE(ReadEditorText(editor).SelLength, 1);
        WriteEditorText(editor, {QStringLiteral("abc"), -4, 0});
        QCOMPARE(ReadEditorText(editor).SelStart, 0);
    }

    void loadStartsAFreshUndoHistory()
    {
        QPlainTextEdit editor;
        editor.setPlainText(QStringLiteral("conference text"));
        QTest::keyClicks(&editor, QStringLiteral("more"));
        LoadEditorText(editor, {QStringLiteral("private\ntext"), 3, 4});
        QCOMPARE(editor.toPlainText(), QStringLiteral("private\ntext"));
        QCOMPARE(ReadEditorText(editor).SelStart, 3);
        QCOMPARE(ReadEditorText(editor).SelLength, 4);
        QVERIFY(!editor.document()->isUndoAvailable());
    }

    void insertAddressee_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("replaces a contact") << "Alice: hi there" << 15 << "Bob: hi there" << 13;
        QTest::newRow("keeps a web address") << "see http://x" << 0 << "Bob: see http://x" << 5;
        QTest::newRow("empty editor") << "" << 0 << "Bob: " << 5;
    }
    void insertAddressee()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, after);
        QFETCH(int, caretAfter);
        QPlainTextEdit editor;
        editor.setPlainText(before);
        Select(editor, caret, caret);
        InsertAddressee(editor, QStringLiteral("Bob"), IsContact);
        QCOMPARE(editor.toPlainText(), after);
        QCOMPARE(editor.textCursor().position(), caretAfter);
    }

    void textOperations()
    {
        QPlainTextEdit editor;
        editor.setPlainText(QStringLiteral("look here"));
        Select(editor, 5, 9);
        InsertTextAtCaret(editor, QStringLiteral(":-) "));
        QCOMPARE(editor.toPlainText(), QStringLiteral("look :-) here"));
        QCOMPARE(editor.textCursor().position(), 9);
        Select(editor, 9, 13);
        InsertQuotedText(editor, QStringLiteral("Bob"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("look :-) \"Bob\""));
        Select(editor, 0, 0);
        ReplaceSelectedText(editor, QStringLiteral("ignored"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("look :-) \"Bob\""));
    }

    void limitRefusesTypingBeyondIt()
    {
        QPlainTextEdit editor;
        LimitEditorLength(editor, 10);
        QTest::keyClicks(&editor, QStringLiteral("0123456789abc"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("0123456789"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QCOMPARE(editor.toPlainText(), QStringLiteral("0123456789"));
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QTest::keyClick(&editor, Qt::Key_Return);
        QCOMPARE(editor.toPlainText(), QStringLiteral("012345678\n"));
    }

    void limitCutsWhatIsPastedInTheMiddle()
    {
        QPlainTextEdit editor;
        LimitEditorLength(editor);
        editor.setPlainText(QString(4090, u'a'));
        Select(editor, 5, 5);
        QApplication::clipboard()->setText(QStringLiteral("0123456789"));
        editor.paste();
        QCOMPARE(editor.toPlainText().size(), MaxEditorLength);
        QCOMPARE(editor.toPlainText(),
                 QString(5, u'a') + QStringLiteral("012345") + QString(4085, u'a'));
        // The cut belongs to the paste: one undo takes both back.
        editor.undo();
        QCOMPARE(editor.toPlainText(), QString(4090, u'a'));
    }

    void limitAppliesToTextSetByTheProgram()
    {
        QPlainTextEdit editor;
        LimitEditorLength(editor, 8);
        editor.setPlainText(QStringLiteral("line one\nline two"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("line one"));
        // A full editor takes no addressee: what comes in is cut, not what was there.
        WriteEditorText(editor, {QStringLiteral("Bob: line one"), 13, 0});
        QCOMPARE(editor.toPlainText(), QStringLiteral("line one"));
    }
};

QTEST_MAIN(TestEditorWidget)
#include "tst_editorwidget.moc"
