#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QTextFormat>

class QTextCharFormat;
class QTextDocument;

// The links of a console are anchors of its document. The anchor's href is the link text a
// click reports: the nickname exactly as received (spaces, markup and all) or the web address
// as written. The kind tells the two apart.
enum class TConsoleLink { None = 0, Nick = 1, Url = 2 };
inline constexpr int ConsoleLinkKindProperty = QTextFormat::UserProperty + 1;

TConsoleLink LinkKind(const QTextCharFormat& format);
// Turns the format into a link of that kind, underlined; its colour stays.
void MakeLink(QTextCharFormat& format, TConsoleLink kind, const QString& href);

// A web address found in a text: its start and length.
struct TUrlMatch {
    qsizetype Start = 0;
    qsizetype Length = 0;
    bool operator==(const TUrlMatch&) const = default;
};

// The web addresses in a text: a word beginning with one of the prefixes that a click opens
// ("ftp://", "http://", "file://", "\\", "mailto:", "www.", case as written) and not glued to
// a letter or digit before it, up to a blank, a control character, a picture, "<", ">" or a
// double quote, without trailing punctuation. A prefix alone is no address.
QList<TUrlMatch> FindUrls(QStringView text);

// Makes links of the web addresses from the start of the line holding `from` to the end of
// the document (a continuation may complete an address begun on its line). Characters of a
// nickname link are left alone. Returns the number of addresses linked.
int DetectLinks(QTextDocument& document, int from);
