#include "SandboxLan.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

QString TSandboxLan::Tool()
{
    const QString named = qEnvironmentVariable("ZELKIT_LAN_SANDBOX");
    if (!named.isEmpty())
        return named;
    const QString beside = QStringLiteral(LAN_SANDBOX);
    if (QFile::exists(beside))
        return beside;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("lan-sandbox"));
    return onPath.isEmpty() ? beside : onPath;
}

QString TSandboxLan::Unavailable()
{
    const QString tool = Tool();
    if (!QFile::exists(tool))
        return QStringLiteral("no lan-sandbox at %1 (set ZELKIT_LAN_SANDBOX to its path)")
            .arg(tool);
    if (::geteuid() != 0)
        return QStringLiteral("lan-sandbox needs root");
    if (QProcess::execute(tool, {QStringLiteral("check")}) != 0)
        return QStringLiteral("lan-sandbox check failed: no network namespaces here");
    return {};
}

TSandboxLan::TSandboxLan(int hosts) : FName(QStringLiteral("zke2e%1").arg(::getpid()))
{
    QProcess up;
    up.setProcessChannelMode(QProcess::MergedChannels);
    up.start(Tool(), {QStringLiteral("up"), FName, QString::number(hosts)});
    FUp =
        up.waitForFinished(60000) && up.exitStatus() == QProcess::NormalExit && up.exitCode() == 0;
    if (!FUp)
        FWhyNot = QString::fromLocal8Bit(up.readAll()).trimmed();
}

TSandboxLan::~TSandboxLan()
{
    QProcess::execute(Tool(), {QStringLiteral("down"), FName});
}

QStringList TSandboxLan::Launcher(int i) const
{
    return {Tool(), QStringLiteral("exec"), FName, QString::number(i)};
}

QStringList TSandboxLan::OnHost(int i, const QString& program, const QStringList& arguments) const
{
    return Launcher(i) + QStringList{program} + arguments;
}
