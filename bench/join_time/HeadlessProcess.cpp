#include "HeadlessProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QList>
#include <QProcessEnvironment>

#include <unistd.h>

THeadlessProcess::THeadlessProcess(const QString& nick, quint16 port) : FNick(nick), FPort(port)
{
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Never the user's own settings, and one code page on both sides of the wire.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), FConfigHome.path());
    env.insert(QStringLiteral("ZELKIT_CODEPAGE"), QStringLiteral("cp1252"));
    FProcess.setProcessEnvironment(env);
}

THeadlessProcess::~THeadlessProcess()
{
    Quit();
}

QString THeadlessProcess::Program()
{
    const QString fromEnv = qEnvironmentVariable("ZELKIT_CHAT_EXE");
    return fromEnv.isEmpty() ? QStringLiteral(ZELKIT_CHAT_EXE) : fromEnv;
}

bool THeadlessProcess::Start()
{
    FClock.start();
    FProcess.start(Program(), {QStringLiteral("--headless"), QStringLiteral("--nick"), FNick,
                               QStringLiteral("--broadcast"), QStringLiteral("127.255.255.255"),
                               QStringLiteral("--port"), QString::number(FPort)});
    return FProcess.waitForStarted(5000);
}

std::optional<QString> THeadlessProcess::NextLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!FProcess.canReadLine()) {
        if (FProcess.state() != QProcess::Running && FProcess.bytesAvailable() == 0)
            return std::nullopt;
        if (deadline.hasExpired() ||
            !FProcess.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            if (!FProcess.canReadLine())
                return std::nullopt;
    }
    QByteArray line = FProcess.readLine();
    line.chop(1);
    return QString::fromUtf8(line);
}

std::optional<QString> THeadlessProcess::WaitFor(const std::function<bool(const QString&)>& accept,
                                                 int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (const std::optional<QString> line =
               NextLine(static_cast<int>(deadline.remainingTime()))) {
        if (accept(*line))
            return line;
    }
    return std::nullopt;
}

std::optional<qint64> THeadlessProcess::WaitForLine(const QString& expected, int timeoutMs)
{
    if (!WaitFor([&](const QString& line) { return line == expected; }, timeoutMs))
        return std::nullopt;
    return ElapsedMs();
}

std::optional<QStringList> THeadlessProcess::ReadContacts(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const std::optional<QString> head = WaitFor(
        [](const QString& line) { return line.startsWith(QLatin1String("contacts ")); }, timeoutMs);
    if (!head)
        return std::nullopt;
    const int count = head->section(QLatin1Char(' '), 1).toInt();
    QStringList nicks;
    while (nicks.size() < count) {
        const std::optional<QString> line = NextLine(static_cast<int>(deadline.remainingTime()));
        if (!line)
            return std::nullopt;
        // "contact NICK GENDER [ignored] [hidden]"; the benchmarks' nicknames hold no blank.
        if (line->startsWith(QLatin1String("contact ")))
            nicks << line->section(QLatin1Char(' '), 1, 1);
    }
    return nicks;
}

void THeadlessProcess::Send(const QString& line)
{
    FProcess.write((line + QLatin1Char('\n')).toUtf8());
    FProcess.waitForBytesWritten(1000);
}

QByteArray THeadlessProcess::ReadRaw(int timeoutMs)
{
    if (FProcess.bytesAvailable() == 0)
        FProcess.waitForReadyRead(timeoutMs);
    return FProcess.readAll();
}

qint64 THeadlessProcess::CpuMs() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(FProcess.processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // Fields 14 and 15 (utime, stime) follow the command name, which may hold blanks.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const qint64 ticks = fields[11].toLongLong() + fields[12].toLongLong();
    return ticks * 1000 / ::sysconf(_SC_CLK_TCK);
}

void THeadlessProcess::Quit()
{
    if (FProcess.state() == QProcess::NotRunning)
        return;
    Send(QStringLiteral("/quit"));
    FProcess.closeWriteChannel();
    if (!FProcess.waitForFinished(5000)) {
        FProcess.kill();
        FProcess.waitForFinished(1000);
    }
}
