#pragma once

#include <QFont>

class QTextEdit;

// Font helpers of the text areas (the two consoles and the message editor).

// Gives all text of the view the font's face, pitch, size and styles, keeping its colours and
// links, and makes the font the view's own.
void SetRichEditFont(QTextEdit& view, const QFont& font);
// Gives all text of the view the size in points.
void SetRichEditFontSize(QTextEdit& view, int pointSize);
// Scrolls the view to its top and then to its end.
void ScrollRichEditToEnd(QTextEdit& view);

// "Clear Window": empties the text area the menus act on (none: nothing happens).
void mipClearWindowClick(QTextEdit* focusedTextArea);
