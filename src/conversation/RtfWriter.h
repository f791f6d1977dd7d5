#pragma once

#include <QByteArray>
#include <QStringView>

class QTextDocument;
class TCodePage;

// The whole of a document as RTF 1 text, in pure ASCII:
//   {\rtf1\ansi\ansicpg<number of codePage>\deff0{\fonttbl...}{\colortbl;...} ... }
// - one font table entry per font family used (entry 0 the document's default font) and one
//   colour table entry per distinct text colour (entry 0 is "auto": text without a colour);
// - every block is a paragraph, closed by \par except the last one;
// - every run of equal formatting is a group with \f, \fs, \cf, \b, \i, \ul, \strike as set;
// - characters above 127 are \uN\'hh: N the signed 16-bit value of the UTF-16 unit, so the
//   text does not depend on the reader's code page, and hh the character's byte in codePage
//   ("?" when it has none) for readers without Unicode. A literal "?" as that one fallback
//   character is read by some readers as a whole word to skip, losing the letters after it;
//   a \'hh is one character for every reader;
// - a run whose anchor is a web address by IsUrl becomes a HYPERLINK field; other anchors
//   (the nickname links of the consoles) keep only their look;
// - an image whose name is an image resource of the document (or that the document can
//   load) is embedded as {\pict\pngblip\picwN\pichN\picwgoalN\pichgoalN <hex of PNG>};
//   an image that cannot be found is left out.
QByteArray DocumentToRtf(const QTextDocument& document, const TCodePage& codePage);

// Text escaped for an RTF body: "\", "{" and "}" get a backslash, a tab is \tab, a line
// separator (U+2028) is \line, a no-break space is \~, other control characters are left
// out, and everything above 127 is \uN\'hh.
QByteArray RtfEscapeText(QStringView text, const TCodePage& codePage);

// The Windows number of a code page, for \ansicpg: 1251 for cp1251.
int CodePageNumber(const TCodePage& codePage);
