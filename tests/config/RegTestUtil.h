#pragma once

#include "config/RegistryDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Readable one-line-per-entry form of a registry document for test comparisons:
// "[path]", "name=<type>:<hex bytes>", "name=verbatim:<text>", ";comment".
inline QStringList DescribeRegistry(const TRegistryDocument& document)
{
    QStringList lines = document.Preamble;
    for (const TRegSection& section : document.Sections) {
        lines << QStringLiteral("[%1]").arg(section.Path);
        for (const TRegValue& value : section.Values) {
            if (value.form == TRegValue::Comment)
                lines << value.Name;
            else if (value.form == TRegValue::Verbatim)
                lines << QStringLiteral("%1=verbatim:%2").arg(value.Name, value.Text);
            else
                lines << QStringLiteral("%1=%2:%3")
                             .arg(value.Name)
                             .arg(value.Type)
                             .arg(QString::fromLatin1(value.Data.toHex(' ')));
        }
    }
    return lines;
}

// UTF-16LE with a BOM and CRLF line ends, the way regedit on Windows exports.
inline QByteArray Utf16Export(const QString& text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : crlf) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}
