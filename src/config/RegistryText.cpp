#include "config/RegistryText.h"

#include <QStringDecoder>

namespace {
bool HasLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

bool DecodeText(QByteArrayView bytes, QString& text)
{
    const bool utf16 = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                       static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (utf16 && bytes.size() % 2 != 0)
        return false;
    QStringDecoder decoder(utf16 ? QStringConverter::Utf16LE : QStringConverter::Utf8);
    text = decoder.decode(bytes);
    return !decoder.hasError() && !HasLoneSurrogate(text);
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

// Reads a quoted text starting at `pos` (on the opening quote). regedit escapes only the
// backslash and the quote; a backslash before anything else is taken literally.
bool ReadQuoted(const QString& line, qsizetype& pos, QString& out)
{
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c == u'\\' && pos + 1 < line.size() &&
            (line[pos + 1] == u'\\' || line[pos + 1] == u'"'))
            ++pos;
        out.append(line[pos]);
    }
    return false;
}

bool ParseHexNumber(QStringView digits, int maxDigits, std::uint32_t& value)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return false;
    value = 0;
    for (const QChar c : digits) {
        const int digit = QStringView(u"0123456789abcdef").indexOf(c.toLower());
        if (digit < 0 || c.unicode() > 0x7F)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool ParseHexBytes(QStringView list, QByteArray& out)
{
    const QList<QStringView> items = list.split(u',');
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QStringView item = items[i].trimmed();
        if (item.isEmpty() && i == items.size() - 1)
            break; // trailing comma, or no data at all
        std::uint32_t byte = 0;
        if (!ParseHexNumber(item, 2, byte))
            return false;
        out.append(static_cast<char>(byte));
    }
    return true;
}

// data: what follows "=" with continuations joined.
bool ParseData(const QString& data, TRegValue& value)
{
    if (data.startsWith(u'"')) {
        qsizetype pos = 0;
        QString text;
        if (!ReadQuoted(data, pos, text) || pos != data.size())
            return false;
        value.Type = RegType::String;
        value.Data = EncodeRegString(text);
        return true;
    }
    if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        std::uint32_t number = 0;
        if (!ParseHexNumber(QStringView(data).mid(6).trimmed(), 8, number))
            return false;
        value.Type = RegType::DWord;
        value.Data = EncodeDWord(number);
        return true;
    }
    if (data.startsWith(u"hex:", Qt::CaseInsensitive)) {
        value.Type = RegType::Binary;
        return ParseHexBytes(QStringView(data).mid(4), value.Data);
    }
    if (data.startsWith(u"hex(", Qt::CaseInsensitive)) {
        const qsizetype close = data.indexOf(u"):");
        return close > 4 && ParseHexNumber(QStringView(data).mid(4, close - 4), 8, value.Type) &&
               ParseHexBytes(QStringView(data).mid(close + 2), value.Data);
    }
    value.form = TRegValue::Verbatim;
    value.Text = data;
    return true;
}

bool IsHexForm(const QString& data)
{
    return data.startsWith(u"hex:", Qt::CaseInsensitive) ||
           data.startsWith(u"hex(", Qt::CaseInsensitive);
}

class TParser
{
public:
    explicit TParser(QStringList lines) : FLines(std::move(lines)) {}

    std::optional<TRegistryDocument> Run(QString& error)
    {
        while (FIndex < FLines.size() && FLines[FIndex].trimmed().isEmpty())
            ++FIndex;
        if (FIndex == FLines.size())
            return TRegistryDocument{};
        if (FLines[FIndex].trimmed() != QLatin1String(RegistryHeader)) {
            error = QStringLiteral("not a registry export (header missing)");
            return std::nullopt;
        }
        for (++FIndex; FIndex < FLines.size(); ++FIndex) {
            if (!ParseLine(FLines[FIndex].trimmed())) {
                error = QStringLiteral("line %1 cannot be read").arg(FIndex + 1);
                return std::nullopt;
            }
        }
        return std::move(FDocument);
    }

private:
    bool ParseLine(const QString& line)
    {
        if (line.isEmpty())
            return true;
        if (line.startsWith(u';')) {
            if (FSection < 0)
                FDocument.Preamble.append(line);
            else
                FDocument.Sections[FSection].Values.append({TRegValue::Comment, line, 0, {}, {}});
            return true;
        }
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 2)
                return false;
            const TRegSection& section = FDocument.EnsureSection(line.mid(1, line.size() - 2));
            FSection = static_cast<int>(&section - FDocument.Sections.data());
            return true;
        }
        if (FSection < 0 || (!line.startsWith(u'"') && !line.startsWith(u'@')))
            return false;
        return ParseValue(line);
    }

    bool ParseValue(const QString& line)
    {
        TRegValue value;
        const bool quoted = line.startsWith(u'"');
        qsizetype pos = quoted ? 0 : 1;
        if (quoted && !ReadQuoted(line, pos, value.Name))
            return false;
        while (pos < line.size() && line[pos].isSpace())
            ++pos;
        if (pos == line.size() || line[pos] != u'=')
            return false;
        QString data = line.mid(pos + 1).trimmed();
        if (IsHexForm(data)) {
            while (data.endsWith(u'\\')) {
                data.chop(1);
                if (FIndex + 1 == FLines.size())
                    break;
                data += FLines[++FIndex].trimmed();
            }
        }
        if (!ParseData(data, value))
            return false;
        FDocument.SetValue(FDocument.Sections[FSection].Path, value);
        return true;
    }

    QStringList FLines;
    qsizetype FIndex = 0;
    int FSection = -1;
    TRegistryDocument FDocument;
};

QString Quote(QStringView text)
{
    QString out(u'"');
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            out.append(u'\\');
        out.append(c);
    }
    out.append(u'"');
    return out;
}

// A REG_SZ that reads back byte for byte from its quoted form.
bool IsPlainString(const TRegValue& value)
{
    const QByteArray& data = value.Data;
    if (value.Type != RegType::String || data.size() < 2 || data.size() % 2 != 0)
        return false;
    const QString text = DecodeRegString(data);
    return (text.size() + 1) * 2 == data.size() && IsStorableRegName(text);
}

void AppendHex(QString& line, QString& out, const TRegValue& value)
{
    line += value.Type == RegType::Binary ? QStringLiteral("hex:")
                                          : QStringLiteral("hex(%1):").arg(value.Type, 0, 16);
    for (qsizetype i = 0; i < value.Data.size(); ++i) {
        QString piece =
            QStringLiteral("%1").arg(static_cast<unsigned char>(value.Data[i]), 2, 16, QChar(u'0'));
        if (i + 1 < value.Data.size())
            piece.append(u',');
        // 79 leaves room for the continuation backslash within 80 columns.
        if (line.size() + piece.size() > 79 && line.size() > 2) {
            out += line + QStringLiteral("\\\n");
            line = QStringLiteral("  ");
        }
        line += piece;
    }
}

QString ValueLine(const TRegValue& value)
{
    if (value.form == TRegValue::Comment)
        return value.Name + u'\n';
    QString line = (value.Name.isEmpty() ? QStringLiteral("@") : Quote(value.Name)) + u'=';
    if (value.form == TRegValue::Verbatim)
        return line + value.Text + u'\n';
    if (IsPlainString(value))
        return line + Quote(DecodeRegString(value.Data)) + u'\n';
    if (value.Type == RegType::DWord && value.Data.size() == 4) {
        const auto* d = reinterpret_cast<const unsigned char*>(value.Data.constData());
        const std::uint32_t number =
            d[0] | (d[1] << 8) | (d[2] << 16) | (std::uint32_t(d[3]) << 24);
        return line + QStringLiteral("dword:%1\n").arg(number, 8, 16, QChar(u'0'));
    }
    QString out;
    AppendHex(line, out, value);
    return out + line + u'\n';
}
} // namespace

bool IsStorableRegName(QStringView text)
{
    return !text.contains(u'\n') && !text.contains(u'\r') && !HasLoneSurrogate(text);
}

std::optional<TRegistryDocument> ParseRegistryText(QByteArrayView bytes, QString* error)
{
    QString text;
    QString message;
    std::optional<TRegistryDocument> document;
    if (!DecodeText(bytes, text))
        message = QStringLiteral("not valid UTF-8 or UTF-16LE text");
    else
        document = TParser(SplitLines(text)).Run(message);
    if (error)
        *error = message;
    return document;
}

QByteArray SerializeRegistryText(const TRegistryDocument& document)
{
    QString out = QLatin1String(RegistryHeader) + u'\n';
    for (const QString& comment : document.Preamble)
        out += comment + u'\n';
    for (const TRegSection& section : document.Sections) {
        out += QStringLiteral("\n[") + section.Path + QStringLiteral("]\n");
        for (const TRegValue& value : section.Values)
            out += ValueLine(value);
    }
    out += u'\n';
    return out.toUtf8();
}
