#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// The popup's message text, laid out as plain text (never markup, no "&" mnemonics),
// word-wrapped to a width; a word longer than the width is broken where it must be, so a long
// link stays inside the window. Any line break of the message (CR LF, CR, LF) breaks the line.

// The height the whole text takes at `width` pixels.
int PopupTextHeight(const QFont& font, const QString& text, int width);

// Draws the text into `rect` with the painter's font and pen. When it does not fit, the last
// line that fits shows the rest of the text cut with an ellipsis.
void DrawPopupText(QPainter& painter, const QRect& rect, const QString& text);
