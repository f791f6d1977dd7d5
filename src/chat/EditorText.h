#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// The content of a message editor: its text and its selection (0-based start, length in
// UTF-16 units; length 0 is a plain caret). The operations below clamp a selection that lies
// outside the text before they use it.
struct TEditorText {
    QString Text;
    int SelStart = 0;
    int SelLength = 0;
};

// Removes every character up to the blank, control characters included, at both ends.
QString TrimBlanksAndControls(QStringView text);

// Text before the first colon is the addressee of a private message, the rest is its body.
// Without a colon pos is 1 and addressee is empty. Otherwise addressee is the text before
// the colon trimmed, and pos is the 1-based index of the character after the colon, or one
// further when that character is a blank (only one blank is skipped).
void SplitAddressee(const QString& text, int& pos, QString& addressee);
QString GetAddressee(const QString& text);
// The text from the SplitAddressee position on, trimmed.
QString GetMessageBody(const QString& text);

// Replaces a non-empty selection by text and puts the caret after it; with no selection
// nothing changes.
void ReplaceSelectedText(TEditorText& edit, const QString& text);
// Inserts text at the selection start, leaving any selected text in place after it, and
// puts the caret after the inserted text.
void InsertTextAtCaret(TEditorText& edit, const QString& text);
// Inserts text in double quotes: over the selection when there is one, else at the caret.
void InsertQuotedText(TEditorText& edit, const QString& text);
// Makes nick the addressee: "nick: " replaces an addressee already at the start of the text
// when isContact knows it (a web address's "http" or "ftp" never counts), else it is put in
// front. The selection moves with the text it covered.
void InsertAddressee(TEditorText& edit, const QString& nick,
                     const std::function<bool(const QString&)>& isContact);
