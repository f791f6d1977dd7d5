#include "ui/IpAddressEdit.h"

#include "net/IpAddress.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStringList>

namespace {
const QString Octet = QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])");

const QRegularExpression& Typable()
{
    static const QRegularExpression pattern(QStringLiteral("%1?(\\.%1?){0,3}").arg(Octet));
    return pattern;
}

bool IsDotted(const QString& text)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("%1(\\.%1){3}").arg(Octet)));
    return pattern.match(text).hasMatch();
}
} // namespace

TIpAddressEdit::TIpAddressEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(Typable(), this));
    setMaxLength(15);
}

void TIpAddressEdit::SetAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    setText(IsDotted(trimmed) ? trimmed : AddressToDotted(DottedToAddress(trimmed)));
}

QString TIpAddressEdit::Address() const
{
    return Normalized(text());
}

QString TIpAddressEdit::Normalized(const QString& typed)
{
    QStringList numbers = typed.trimmed().split(QLatin1Char('.'));
    while (numbers.size() < 4)
        numbers << QString();
    QStringList parts;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const int value = numbers[i].toInt(&ok);
        parts << QString::number(ok && value >= 0 && value <= 255 ? value : 0);
    }
    return parts.join(QLatin1Char('.'));
}
