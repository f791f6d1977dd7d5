#include "conversation/EditorWidget.h"

#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>

TEditorText ReadEditor(const QTextEdit& editor)
{
    const QTextCursor cursor = editor.textCursor();
    return {editor.toPlainText(), cursor.selectionStart(),
            cursor.selectionEnd() - cursor.selectionStart()};
}

void WriteEditor(QTextEdit& editor, const TEditorText& content)
{
    const QString old = editor.toPlainText();
    const QString& text = content.Text;
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(old.size(), text.size());
    while (prefix < shorter && old[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;

    QTextCursor cursor = editor.textCursor();
    if (prefix + suffix < old.size() || prefix + suffix < text.size()) {
        cursor.setPosition(int(prefix));
        cursor.setPosition(int(old.size() - suffix), QTextCursor::KeepAnchor);
        cursor.insertText(text.mid(prefix, text.size() - prefix - suffix));
    }
    const int length = int(text.size());
    const int start = std::clamp(content.SelStart, 0, length);
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + content.SelLength, start, length),
                       QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

void InsertTextAtCaret(QTextEdit& editor, const QString& text)
{
    TEditorText content = ReadEditor(editor);
    InsertTextAtCaret(content, text);
    WriteEditor(editor, content);
}

void InsertAddressee(QTextEdit& editor, const QString& nick,
                     const std::function<bool(const QString&)>& isContact)
{
    TEditorText content = ReadEditor(editor);
    InsertAddressee(content, nick, isContact);
    WriteEditor(editor, content);
}
