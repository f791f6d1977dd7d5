#pragma once

#include "chat/ChatHost.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class TLineOutput;
struct TContactInfo;

// What the headless peer prints, one line per event: the plain format a person reads, or
// one JSON object per line, whose fields a script reads without telling a typed
// "entering chat..." from a real arrival by its text.
class THeadlessEvents final
{
public:
    THeadlessEvents(TLineOutput& output, bool json);

    // stamp: the time stamp the view would show ("[10:00:01] "), empty for none; when:
    // the moment of the event, for the JSON time field.
    void Message(const TChatMessage& message, const QString& stamp, const QDateTime& when);
    void Event(TChatView view, const QString& stamp, const QDateTime& when, const QString& text);
    // A notice line in a view, or (no view) a message box or hint.
    void Notice(std::optional<TChatView> view, const QString& text);
    // line: the whole error line as a view shows it; text: the message inside it.
    void Error(TChatView view, const QString& line, const QString& text, int code);
    void State(const QString& text);
    void Contacts(const std::vector<const TContactInfo*>& contacts);

private:
    void Plain(const QString& line);
    void Json(const class QJsonObject& object);

    TLineOutput& FOutput;
    bool FJson;
};
