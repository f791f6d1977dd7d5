#pragma once

#include "conversation/ConsoleLinks.h"

#include <QColor>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

// A console's document written out as text, so that a test can compare what a user sees:
// a picture as "{emoticon:N}", a link as "[nick|href|text]" or "[url|href|text]", lines
// joined by "\n". With colors, each run of text also shows its colour as "#rrggbb:".
inline QString Describe(const QTextDocument& document, bool colors = false)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (colors && !format.isImageFormat())
                line += format.foreground().color().name() + QLatin1Char(':');
            if (format.isImageFormat()) {
                for (qsizetype i = 0; i < fragment.text().size(); ++i)
                    line += u'{' + format.toImageFormat().name() + u'}';
            } else if (LinkKind(format) != TConsoleLink::None) {
                line += QStringLiteral("[%1|%2|%3]")
                            .arg(LinkKind(format) == TConsoleLink::Nick ? "nick" : "url",
                                 format.anchorHref(), fragment.text());
            } else {
                line += fragment.text();
            }
        }
        lines += line;
    }
    return lines.join(u'\n');
}

// Where the pictures of a document are: the image names in document order.
inline QStringList ImageNames(const QTextDocument& document)
{
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                for (qsizetype i = 0; i < it.fragment().length(); ++i)
                    names += it.fragment().charFormat().toImageFormat().name();
    return names;
}
