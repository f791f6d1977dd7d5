#include "conversation/EditorWidget.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {
int TextLength(const QTextDocument& document)
{
    // The document always ends in one paragraph mark that is no character of the text.
    return document.characterCount() - 1;
}

QTextCursor SelectionCursor(QTextDocument& document, int start, int length)
{
    const int size = TextLength(document);
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    QTextCursor cursor(&document);
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    return cursor;
}

template <typename Operation> void Apply(QPlainTextEdit& editor, Operation&& operation)
{
    TEditorText value = ReadEditorText(editor);
    operation(value);
    WriteEditorText(editor, value);
}
} // namespace

TEditorText ReadEditorText(const QPlainTextEdit& editor)
{
    const QTextCursor cursor = editor.textCursor();
    TEditorText value;
    value.Text = editor.toPlainText();
    value.SelStart = cursor.selectionStart();
    value.SelLength = cursor.selectionEnd() - cursor.selectionStart();
    return value;
}

void WriteEditorText(QPlainTextEdit& editor, const TEditorText& value)
{
    QTextDocument& document = *editor.document();
    const QString old = editor.toPlainText();
    const QString& text = value.Text;
    const qsizetype shorter = std::min(old.size(), text.size());
    qsizetype head = 0;
    while (head < shorter && old[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    if (head + tail < old.size() || head + tail < text.size()) {
        QTextCursor cursor(&document);
        cursor.beginEditBlock();
        cursor.setPosition(static_cast<int>(head));
        cursor.setPosition(static_cast<int>(old.size() - tail), QTextCursor::KeepAnchor);
        const QString middle = text.mid(head, text.size() - tail - head);
        if (middle.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(middle);
        cursor.endEditBlock();
    }
    editor.setTextCursor(SelectionCursor(document, value.SelStart, value.SelLength));
}

void LoadEditorText(QPlainTextEdit& editor, const TEditorText& value)
{
    editor.setPlainText(value.Text);
    editor.setTextCursor(SelectionCursor(*editor.document(), value.SelStart, value.SelLength));
}

void ReplaceSelectedText(QPlainTextEdit& editor, const QString& text)
{
    Apply(editor, [&](TEditorText& value) { ReplaceSelectedText(value, text); });
}

void InsertTextAtCaret(QPlainTextEdit& editor, const QString& text)
{
    Apply(editor, [&](TEditorText& value) { InsertTextAtCaret(value, text); });
}

void InsertQuotedText(QPlainTextEdit& editor, const QString& text)
{
    Apply(editor, [&](TEditorText& value) { InsertQuotedText(value, text); });
}

void InsertAddressee(QPlainTextEdit& editor, const QString& nick,
                     const std::function<bool(const QString&)>& isContact)
{
    Apply(editor, [&](TEditorText& value) { InsertAddressee(value, nick, isContact); });
}

void LimitEditorLength(QPlainTextEdit& editor, int maxLength)
{
    QTextDocument* document = editor.document();
    // The document is the connection's context: the check dies with it.
    QObject::connect(document, &QTextDocument::contentsChange, document,
                     [document, maxLength](int position, int, int added) {
                         const int excess = TextLength(*document) - maxLength;
                         if (excess <= 0 || added <= 0)
                             return;
                         const int end = std::min(position + added, TextLength(*document));
                         const int cut = std::min(excess, end - position);
                         if (cut <= 0)
                             return;
                         QTextCursor cursor(document);
                         cursor.joinPreviousEditBlock();
                         cursor.setPosition(end - cut);
                         cursor.setPosition(end, QTextCursor::KeepAnchor);
                         cursor.removeSelectedText();
                         cursor.endEditBlock();
                     });
}
