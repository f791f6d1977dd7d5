#pragma once

#include "chat/EditorText.h"

#include <QString>

#include <functional>

class QTextEdit;

// The message editor's text operations on the widget itself: the text and selection are
// read into a TEditorText, changed by the operations of chat/EditorText.h, and written back
// as one edit of the part that changed, so the editor keeps its undo history.
TEditorText ReadEditor(const QTextEdit& editor);
void WriteEditor(QTextEdit& editor, const TEditorText& content);

void InsertTextAtCaret(QTextEdit& editor, const QString& text);
void InsertAddressee(QTextEdit& editor, const QString& nick,
                     const std::function<bool(const QString&)>& isContact);
