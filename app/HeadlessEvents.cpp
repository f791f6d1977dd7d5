#include "HeadlessEvents.h"

#include "LineOutput.h"

#include "chat/ConsoleText.h"
#include "chat/ContList.h"
#include "platform/CodePage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// One event is one output line: a nickname or a text from the network may hold any byte,
// and a line break inside it must not forge a second event. JSON escapes them instead.
QString OneLine(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    return text;
}

QString ViewName(TChatView view)
{
    return view == TChatView::Conference ? QStringLiteral("conference") : QStringLiteral("private");
}

QString TimeText(const QDateTime& when)
{
    return when.toString(Qt::ISODate);
}

} // namespace

THeadlessEvents::THeadlessEvents(TLineOutput& output, bool json) : FOutput(output), FJson(json) {}

void THeadlessEvents::Plain(const QString& line)
{
    FOutput.Write(OneLine(line).toUtf8() + '\n');
}

void THeadlessEvents::Json(const QJsonObject& object)
{
    FOutput.Write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void THeadlessEvents::Message(const TChatMessage& m, const QString& stamp, const QDateTime& when)
{
    if (!FJson) {
        Plain(ViewName(m.View) + (m.IsContinuation ? QStringLiteral("+ ") : QStringLiteral(" ")) +
              ComposeChatLine(m, stamp).Whole());
        return;
    }
    QJsonObject o{{QStringLiteral("type"), QStringLiteral("message")},
                  {QStringLiteral("view"), ViewName(m.View)},
                  {QStringLiteral("time"), TimeText(when)},
                  {QStringLiteral("nick"), FromAnsi(m.Nick)},
                  {QStringLiteral("text"), FromAnsi(m.Text)},
                  {QStringLiteral("continuation"), m.IsContinuation},
                  {QStringLiteral("outgoing"), m.IsOutgoing}};
    if (!m.Addressee.isEmpty())
        o.insert(QStringLiteral("addressee"), FromAnsi(m.Addressee));
    Json(o);
}

void THeadlessEvents::Event(TChatView view, const QString& stamp, const QDateTime& when,
                            const QString& text)
{
    if (!FJson) {
        Plain(ViewName(view) + QLatin1Char(' ') + stamp + text);
        return;
    }
    Json({{QStringLiteral("type"), QStringLiteral("event")},
          {QStringLiteral("view"), ViewName(view)},
          {QStringLiteral("time"), TimeText(when)},
          {QStringLiteral("text"), text}});
}

void THeadlessEvents::Notice(std::optional<TChatView> view, const QString& text)
{
    if (!FJson) {
        Plain((view ? ViewName(*view) : QStringLiteral("notice")) + QLatin1Char(' ') + text);
        return;
    }
    QJsonObject o{{QStringLiteral("type"), QStringLiteral("notice")},
                  {QStringLiteral("text"), text}};
    if (view)
        o.insert(QStringLiteral("view"), ViewName(*view));
    Json(o);
}

void THeadlessEvents::Error(TChatView view, const QString& line, const QString& text, int code)
{
    if (!FJson) {
        Plain(ViewName(view) + QLatin1Char(' ') + line);
        return;
    }
    Json({{QStringLiteral("type"), QStringLiteral("error")},
          {QStringLiteral("view"), ViewName(view)},
          {QStringLiteral("code"), code},
          {QStringLiteral("text"), text},
          {QStringLiteral("line"), line}});
}

void THeadlessEvents::State(const QString& text)
{
    if (!FJson) {
        Plain(QStringLiteral("state ") + text);
        return;
    }
    Json({{QStringLiteral("type"), QStringLiteral("state")}, {QStringLiteral("state"), text}});
}

void THeadlessEvents::Contacts(const std::vector<const TContactInfo*>& contacts)
{
    if (!FJson) {
        Plain(QStringLiteral("contacts ") + QString::number(contacts.size()));
        for (const TContactInfo* c : contacts)
            Plain(QStringLiteral("contact ") + FromAnsi(c->Nick) + QLatin1Char(' ') +
                  QString::number(c->Gender) +
                  (c->Ignored ? QStringLiteral(" ignored") : QString()) +
                  (c->Hidden ? QStringLiteral(" hidden") : QString()));
        return;
    }
    QJsonArray list;
    for (const TContactInfo* c : contacts)
        list.append(QJsonObject{{QStringLiteral("nick"), FromAnsi(c->Nick)},
                                {QStringLiteral("gender"), c->Gender},
                                {QStringLiteral("ignored"), c->Ignored},
                                {QStringLiteral("hidden"), c->Hidden}});
    Json({{QStringLiteral("type"), QStringLiteral("contacts")},
          {QStringLiteral("count"), int(contacts.size())},
          {QStringLiteral("contacts"), list}});
}
