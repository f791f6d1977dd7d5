#pragma once

#include "LineSource.h"

#include <QString>
#include <QStringList>

// A history file that a chat program appends to, read line by line (its lines end with
// CR LF). A wait wakes when the file or its folder changes, and returns as soon as the line
// is there.
class THistoryFile final : public TLineSource
{
public:
    explicit THistoryFile(const QString& path) : FPath(path) {}

    int WaitForLine(const QRegularExpression& pattern, int from, int timeoutMs) override;
    QByteArray Describe() const override;

    // Its lines now; none while it does not exist. The empty piece after the last CR LF is
    // no line.
    QStringList Lines() const;
    const QString& Path() const { return FPath; }

private:
    QString FPath;
};
