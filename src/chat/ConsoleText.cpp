#include "chat/ConsoleText.h"

#include "platform/CodePage.h"

#include <QLocale>

#include <algorithm>

QString LongTimeFormat()
{
    // Qt's long format names the time zone ("t"), which a chat line has no use for.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString ConsoleTimeStamp(const QTime& time)
{
    return QLatin1Char('[') + QLocale().toString(time, LongTimeFormat()) + QLatin1String("] ");
}

TConsoleLine ComposeChatLine(const TChatMessage& m, const QString& timeStamp)
{
    TConsoleLine line;
    line.Text = FromAnsi(m.Text);
    if (m.IsContinuation)
        return line;
    if (m.ShowTime)
        line.TimePart = timeStamp;
    const bool privateOutgoing = m.IsPrivate && m.IsOutgoing;
    if (!privateOutgoing)
        line.NickPart = QLatin1Char('<') + FromAnsi(m.Nick) + QLatin1String("> ");
    // Only blanks are trimmed here: an addressee of spaces is no addressee.
    const bool hasAddressee =
        std::any_of(m.Addressee.begin(), m.Addressee.end(), [](char c) { return c != ' '; });
    if (hasAddressee && (!m.IsPrivate || privateOutgoing))
        line.AddresseePart = (privateOutgoing ? QStringLiteral(">") : QString()) +
                             FromAnsi(m.Addressee) + QLatin1String(": ");
    return line;
}

QString ComposeErrorLine(const QString& networkError, const QString& text, int errorCode)
{
    return networkError + QLatin1Char(' ') + text + QLatin1String(" #") +
           QString::number(errorCode);
}
