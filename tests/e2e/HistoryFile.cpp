#include "HistoryFile.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace {
// A change notice that got lost costs at most this much delay, never the whole wait.
constexpr qint64 LongestNap = 250;
} // namespace

QStringList THistoryFile::Lines() const
{
    QFile file(FPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The test peers write cp1252; what the tests send is ASCII.
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

int THistoryFile::WaitForLine(const QRegularExpression& pattern, int from, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QFileSystemWatcher watcher;
    // The folder tells when the file is made, the file when it grows.
    watcher.addPath(QFileInfo(FPath).absolutePath());
    for (;;) {
        if (watcher.files().isEmpty() && QFile::exists(FPath))
            watcher.addPath(FPath);
        const QStringList lines = Lines();
        for (int i = from; i < lines.size(); ++i)
            if (pattern.match(lines[i]).hasMatch())
                return i;
        if (deadline.hasExpired())
            return -1;
        QEventLoop loop;
        QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &loop, &QEventLoop::quit);
        QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(
            static_cast<int>(qBound<qint64>(qint64(1), deadline.remainingTime(), LongestNap)),
            &loop, &QEventLoop::quit);
        loop.exec();
    }
}

QByteArray THistoryFile::Describe() const
{
    const QStringList lines = Lines();
    QByteArray out = "history file " + QFile::encodeName(FPath);
    if (!QFile::exists(FPath))
        return out + " (missing)";
    return out + ":\n" + lines.join(QLatin1Char('\n')).toUtf8();
}
