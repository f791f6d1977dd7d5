#include "ui/NickValidator.h"

#include "platform/CodePage.h"

#include <algorithm>

TNickValidator::TNickValidator(QObject* parent) : QValidator(parent) {}

bool TNickValidator::IsRefused(QChar c)
{
    return c == u',' || c == u'<' || c == u'>';
}

QValidator::State TNickValidator::validate(QString& input, int& /*pos*/) const
{
    if (std::any_of(input.cbegin(), input.cend(), IsRefused)) {
        if (OnRefused)
            OnRefused();
        return Invalid;
    }
    return ToAnsi(input).size() <= MaxNickBytes ? Acceptable : Invalid;
}

QString TNickValidator::Fit(const QString& text)
{
    QString kept;
    for (const QChar c : text)
        if (!IsRefused(c))
            kept += c;
    // The code pages are single-byte, but a surrogate pair is two units for one byte: cut
    // by the bytes, never inside a pair.
    while (ToAnsi(kept).size() > MaxNickBytes) {
        kept.chop(1);
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
    }
    return kept;
}
