#include "DesktopPeer.h"

#include "SandboxLan.h"
#include "XvfbSession.h"

#include <QStandardPaths>

#include <csignal>

TDesktopPeer::TDesktopPeer(const QString& nick, const QString& program, const TSandboxLan& lan,
                           int host)
    : FNick(nick), FProgram(program), FLan(lan), FHost(host), FHistory(FHome.HistoryPath())
{
}

TDesktopPeer::~TDesktopPeer()
{
    if (FProcess.state() != QProcess::NotRunning) {
        FProcess.kill();
        FProcess.waitForFinished(DefaultTimeoutMs);
    }
}

QProcessEnvironment TDesktopPeer::Environment() const
{
    return FHome.Environment(FDisplay ? FDisplay->Display() : QByteArray());
}

bool TDesktopPeer::Start(QString& why)
{
    FDisplay = std::make_unique<TXvfbSession>(FLan.Launcher(FHost));
    if (!FDisplay->IsUp()) {
        why = FDisplay->WhyNot();
        return false;
    }
    const QStringList command = FLan.OnHost(FHost, FProgram);
    FProcess.setProcessEnvironment(Environment());
    // Its diagnostics, sanitizer reports included, go with the test's own.
    FProcess.setProcessChannelMode(QProcess::ForwardedChannels);
    FProcess.start(command.first(), command.mid(1));
    if (!FProcess.waitForStarted(DefaultTimeoutMs)) {
        why = QStringLiteral("%1 did not start: %2").arg(FNick, FProcess.errorString());
        return false;
    }
    // The sandbox runs the program in its own process (exec all the way), so the window's
    // _NET_WM_PID is this process id; its class is the chat window's.
    const std::optional<QByteArray> found = Xdotool(
        {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
         QStringLiteral("--all"), QStringLiteral("--pid"), QString::number(FProcess.processId()),
         QStringLiteral("--class"), QStringLiteral("^ZELKIT_CHAT_WINDOW$")});
    if (!found || found->trimmed().isEmpty()) {
        why = QStringLiteral("the window of %1 did not show").arg(FNick);
        return false;
    }
    FWindow = found->trimmed().split('\n').first();
    return true;
}

std::optional<QByteArray> TDesktopPeer::Xdotool(const QStringList& arguments, int timeoutMs)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty() || !FDisplay)
        return std::nullopt;
    const QStringList command = FLan.OnHost(FHost, xdotool, arguments);
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

bool TDesktopPeer::Type(const QString& text)
{
    return Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                    QString::fromLatin1(FWindow), QStringLiteral("type"), text})
        .has_value();
}

bool TDesktopPeer::Key(const QString& keys)
{
    return Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                    QString::fromLatin1(FWindow), QStringLiteral("key"), keys})
        .has_value();
}

void TDesktopPeer::Signal(int signal)
{
    if (FProcess.processId() > 0)
        ::kill(static_cast<pid_t>(FProcess.processId()), signal);
}

int TDesktopPeer::WaitForExit(int timeoutMs)
{
    if (FProcess.state() != QProcess::NotRunning && !FProcess.waitForFinished(timeoutMs))
        return -1;
    if (FProcess.exitStatus() != QProcess::NormalExit)
        return -1;
    return FProcess.exitCode();
}

QByteArray TDesktopPeer::Describe() const
{
    QByteArray out = "desktop peer " + FNick.toUtf8() + " on host " + QByteArray::number(FHost);
    if (FProcess.state() == QProcess::NotRunning)
        out += " (ended, exit code " + QByteArray::number(FProcess.exitCode()) + ")";
    return out + "; its " + FHistory.Describe();
}
