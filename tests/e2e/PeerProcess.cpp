#include "PeerProcess.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>

#include <csignal>

TPeerProcess::TPeerProcess(const QString& name, const QString& configHome)
    : FName(name), FConfigHome(configHome.isEmpty() ? FTempDir.path() : configHome)
{
}

TPeerProcess::~TPeerProcess()
{
    if (FProcess.state() != QProcess::NotRunning) {
        FProcess.kill();
        FProcess.waitForFinished(DefaultTimeoutMs);
    }
}

bool TPeerProcess::Start(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), FConfigHome);
    env.insert(QStringLiteral("ZELKIT_CODEPAGE"), QStringLiteral("cp1252"));
    // The time stamps of the lines then read [HH:MM:SS].
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    FProcess.setProcessEnvironment(env);
    FProcess.start(program, arguments);
    return FProcess.waitForStarted(DefaultTimeoutMs);
}

void TPeerProcess::Send(const QString& line)
{
    FProcess.write(line.toUtf8() + '\n');
    FProcess.waitForBytesWritten(DefaultTimeoutMs);
}

void TPeerProcess::CloseInput()
{
    FProcess.closeWriteChannel();
}

void TPeerProcess::Collect()
{
    FErrors += FProcess.readAllStandardError();
    FPartial += FProcess.readAllStandardOutput();
    qsizetype eol;
    while ((eol = FPartial.indexOf('\n')) >= 0) {
        FLines << QString::fromUtf8(FPartial.left(eol));
        FPartial.remove(0, eol + 1);
    }
}

int TPeerProcess::Mark()
{
    while (FProcess.waitForReadyRead(0))
        ;
    Collect();
    return static_cast<int>(FLines.size());
}

int TPeerProcess::WaitForLine(const QRegularExpression& pattern, int from, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (int i = from;;) {
        Collect();
        for (; i < FLines.size(); ++i)
            if (pattern.match(FLines[i]).hasMatch())
                return i;
        if (deadline.hasExpired() || FProcess.state() == QProcess::NotRunning)
            return -1;
        FProcess.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    }
}

bool TPeerProcess::WaitForCleanExit(int timeoutMs)
{
    return WaitForExit(timeoutMs) == 0;
}

int TPeerProcess::WaitForExit(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (FProcess.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        FProcess.waitForFinished(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
        Collect();
    }
    Collect();
    if (FProcess.state() != QProcess::NotRunning || FProcess.exitStatus() != QProcess::NormalExit)
        return -1;
    return FProcess.exitCode();
}

void TPeerProcess::Signal(int signal)
{
    if (FProcess.processId() > 0)
        ::kill(static_cast<pid_t>(FProcess.processId()), signal);
}

QByteArray TPeerProcess::Errors()
{
    Collect();
    return FErrors;
}

QByteArray TPeerProcess::Describe() const
{
    QByteArray out = "peer " + FName.toUtf8();
    if (FProcess.state() == QProcess::NotRunning)
        out += " (ended, exit code " + QByteArray::number(FProcess.exitCode()) + ")";
    out += "\n--- standard output:\n" + FLines.join(QLatin1Char('\n')).toUtf8() + FPartial;
    out += "\n--- standard error:\n" + FErrors;
    return out;
}
