#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// Settings by id (TSettingId): a number or boolean, or a text.
using TSettingRows = QList<QPair<int, QVariant>>;

// The temporary home of one user of the desktop program: settings, runtime folder (where the
// single-instance lock lives) and a history file of its own, and the environment that
// points the program at them.
class TUserHome final
{
public:
    TUserHome();
    TUserHome(const TUserHome&) = delete;
    TUserHome& operator=(const TUserHome&) = delete;

    // The settings file of a user who registered as nick, with the history on in this home;
    // rows replace any of these. False: why is in `why`.
    bool WriteSettings(const QString& nick, const TSettingRows& rows, QString& why);
    // This environment with the home's folders, on the X display given, and a fixed code page
    // and time format (time stamps read [HH:MM:SS]).
    QProcessEnvironment Environment(const QByteArray& display) const;
    QString HistoryPath() const { return FDir.filePath(QStringLiteral("history.txt")); }

private:
    QTemporaryDir FDir;
};
