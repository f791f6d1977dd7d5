#include "lang/FormatText.h"

#include <optional>

namespace {

// Widths beyond this come only from a broken translation; honouring them would let one
// language file line allocate without bound.
constexpr int MaxWidth = 1000;

struct TCursor {
    const QString& Text;
    qsizetype Pos = 0;

    bool AtEnd() const { return Pos >= Text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : Text[Pos]; }
    bool IsDigit() const { return !AtEnd() && Text[Pos] >= u'0' && Text[Pos] <= u'9'; }

    // A run of decimal digits; nullopt when there is none or it exceeds MaxWidth.
    std::optional<int> Number()
    {
        if (!IsDigit())
            return std::nullopt;
        int value = 0;
        while (IsDigit()) {
            value = value * 10 + (Text[Pos].unicode() - u'0');
            if (value > MaxWidth)
                return std::nullopt;
            ++Pos;
        }
        return value;
    }
};

// Formats one specifier whose "%" has been consumed; argIndex is the argument the next
// specifier without an index takes. nullopt when the specifier cannot take the nick.
std::optional<QString> FormatSpecifier(TCursor& c, int& argIndex, const QString& nick)
{
    if (c.Peek() == u'%') {
        ++c.Pos;
        return QStringLiteral("%");
    }
    std::optional<int> number;
    if (c.IsDigit()) {
        number = c.Number();
        if (!number)
            return std::nullopt;
        if (c.Peek() == u':') {
            ++c.Pos;
            argIndex = *number;
            number.reset();
        }
    }
    bool leftJustify = false;
    if (!number && c.Peek() == u'-') {
        leftJustify = true;
        ++c.Pos;
    }
    int width = 0;
    if (number)
        width = *number;
    else if (c.IsDigit()) {
        number = c.Number();
        if (!number)
            return std::nullopt;
        width = *number;
    }
    std::optional<int> precision;
    if (c.Peek() == u'.') {
        ++c.Pos;
        precision = c.IsDigit() ? c.Number() : std::optional<int>(0);
        if (!precision)
            return std::nullopt;
    }
    const QChar type = c.Peek();
    if (type != u's' && type != u'S')
        return std::nullopt; // another type, "*", or the text ended inside the specifier
    ++c.Pos;
    if (argIndex != 0)
        return std::nullopt; // there is only one argument
    ++argIndex;

    QString value = precision ? nick.left(*precision) : nick;
    if (value.size() < width)
        value = leftJustify ? value.leftJustified(width) : value.rightJustified(width);
    return value;
}

} // namespace

QString FormatWithNick(const QString& pattern, const QString& nick)
{
    QString result;
    result.reserve(pattern.size() + nick.size());
    TCursor c{pattern};
    int argIndex = 0;
    while (!c.AtEnd()) {
        const qsizetype percent = pattern.indexOf(u'%', c.Pos);
        if (percent < 0) {
            result += QStringView(pattern).mid(c.Pos);
            break;
        }
        result += QStringView(pattern).mid(c.Pos, percent - c.Pos);
        c.Pos = percent + 1;
        const std::optional<QString> piece = FormatSpecifier(c, argIndex, nick);
        if (!piece)
            return pattern;
        result += *piece;
    }
    return result;
}
