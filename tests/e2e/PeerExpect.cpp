#include "PeerExpect.h"

QRegularExpression LinePattern(const QString& expected)
{
    const QStringList literal = expected.split(QStringLiteral("[T] "));
    QStringList escaped;
    for (const QString& part : literal)
        escaped << QRegularExpression::escape(part);
    return QRegularExpression(QLatin1Char('^') +
                              escaped.join(QStringLiteral(R"(\[\d{2}:\d{2}:\d{2}\] )")) +
                              QLatin1Char('$'));
}

bool ExpectLines(TLineSource& peer, int from, const QStringList& expected, TLineMatch match,
                 QByteArray& why)
{
    int next = from;
    for (const QString& line : expected) {
        const int last = peer.WaitForLine(LinePattern(line), next, DefaultLineTimeoutMs);
        if (last < 0) {
            why = "missing line \"" + line.toUtf8() + "\" after line " + QByteArray::number(next) +
                  " of " + peer.Describe();
            return false;
        }
        next = last + 1;
    }
    if (match == TLineMatch::Exactly && next - from != expected.size()) {
        why = "other lines among the expected ones, from line " + QByteArray::number(from) +
              ", expected:\n" + expected.join(QLatin1Char('\n')).toUtf8() + "\nin " +
              peer.Describe();
        return false;
    }
    return true;
}
