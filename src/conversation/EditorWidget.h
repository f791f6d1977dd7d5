#pragma once

#include "chat/EditorText.h"

#include <QString>

#include <functional>

class QPlainTextEdit;

// The message editor edMsg is a QPlainTextEdit; these carry the text operations of
// chat/EditorText over to it. Positions and lengths are those of the text as
// toPlainText() gives it, one unit per line break.

// The editor accepts at most this many characters (line breaks included).
inline constexpr int MaxEditorLength = 4096;

// The editor's text and its selection (start and length, whichever way it was made).
TEditorText ReadEditorText(const QPlainTextEdit& editor);
// Puts value into the editor as one step the user can undo; only the part that differs is
// replaced, so the rest keeps its formatting. The selection is clamped to the text.
void WriteEditorText(QPlainTextEdit& editor, const TEditorText& value);
// Puts value into the editor as a new content: the undo history starts afresh, as it does
// when the page changes.
void LoadEditorText(QPlainTextEdit& editor, const TEditorText& value);

// The operations of chat/EditorText on the editor, each one undoable step.
void ReplaceSelectedText(QPlainTextEdit& editor, const QString& text);
void InsertTextAtCaret(QPlainTextEdit& editor, const QString& text);
void InsertQuotedText(QPlainTextEdit& editor, const QString& text);
void InsertAddressee(QPlainTextEdit& editor, const QString& nick,
                     const std::function<bool(const QString&)>& isContact);

// From now on the editor keeps at most maxLength characters: whatever is typed, pasted,
// dropped or set beyond that is cut from the end of what came in, in the same undo step.
void LimitEditorLength(QPlainTextEdit& editor, int maxLength = MaxEditorLength);
