#include "conversation/ConsoleLinks.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <array>

namespace {

// What a click opens (the link test of the utilities); an address the click would refuse
// is not made to look like one.
constexpr std::array<QStringView, 6> UrlPrefixes = {
    u"ftp://", u"http://", u"file://", u"\\\\", u"mailto:", u"www.",
};

bool EndsUrl(QChar c)
{
    return c.unicode() <= u' ' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator ||
           c == QChar::ObjectReplacementCharacter || c == u'<' || c == u'>' || c == u'"' ||
           c.isSpace();
}

bool IsTrailingPunctuation(QChar c)
{
    return QStringView(u".,;:!?'()[]{}").contains(c);
}

} // namespace

TConsoleLink LinkKind(const QTextCharFormat& format)
{
    if (!format.isAnchor())
        return TConsoleLink::None;
    return static_cast<TConsoleLink>(format.intProperty(ConsoleLinkKindProperty));
}

void MakeLink(QTextCharFormat& format, TConsoleLink kind, const QString& href)
{
    format.setAnchor(true);
    format.setAnchorHref(href);
    format.setFontUnderline(true);
    format.setProperty(ConsoleLinkKindProperty, static_cast<int>(kind));
}

QList<TUrlMatch> FindUrls(QStringView text)
{
    QList<TUrlMatch> found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0 && text[i - 1].isLetterOrNumber())
            continue;
        const QStringView rest = text.sliced(i);
        qsizetype prefix = 0;
        for (const QStringView p : UrlPrefixes)
            if (rest.startsWith(p)) {
                prefix = p.size();
                break;
            }
        if (prefix == 0)
            continue;
        qsizetype end = i + prefix;
        while (end < text.size() && !EndsUrl(text[end]))
            ++end;
        // A closing bracket stays when the address opened one: wiki-style addresses.
        while (end > i + prefix && IsTrailingPunctuation(text[end - 1])) {
            const QStringView url = text.sliced(i, end - i);
            if (url.back() == u')' && url.count(u'(') >= url.count(u')'))
                break;
            --end;
        }
        if (end == i + prefix)
            continue;
        found.append({i, end - i});
        i = end - 1;
    }
    return found;
}

int DetectLinks(QTextDocument& document, int from)
{
    const QTextBlock first = document.findBlock(from);
    if (!first.isValid())
        return 0;
    const int start = first.position();
    QTextCursor range(&document);
    range.movePosition(QTextCursor::End);
    range.setPosition(start, QTextCursor::KeepAnchor);
    const QString text = range.selectedText();

    int linked = 0;
    QTextCursor edit(&document);
    for (const TUrlMatch& url : FindUrls(text)) {
        const int position = start + int(url.Start);
        bool onNick = false;
        for (int p = position; p < position + url.Length && !onNick; ++p) {
            QTextCursor probe(&document);
            probe.setPosition(p + 1);
            onNick = LinkKind(probe.charFormat()) == TConsoleLink::Nick;
        }
        if (onNick)
            continue;
        edit.setPosition(position);
        edit.setPosition(position + int(url.Length), QTextCursor::KeepAnchor);
        QTextCharFormat link;
        MakeLink(link, TConsoleLink::Url, text.sliced(url.Start, url.Length));
        edit.mergeCharFormat(link);
        ++linked;
    }
    return linked;
}
