#pragma once

#include "LineSource.h"

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// One headless chat peer in a process of its own: commands go to its standard input, its
// standard output is kept line by line. Every wait has a deadline and returns as soon as
// its condition holds; nothing here sleeps.
class TPeerProcess final : public TLineSource
{
public:
    static constexpr int DefaultTimeoutMs = 10000;

    // name: for failure messages. configHome: the XDG_CONFIG_HOME of the peer; empty gives
    // it a fresh temporary folder of its own.
    explicit TPeerProcess(const QString& name, const QString& configHome = {});
    // Kills the process if it still runs.
    ~TPeerProcess() override;
    TPeerProcess(const TPeerProcess&) = delete;
    TPeerProcess& operator=(const TPeerProcess&) = delete;

    // Starts program with arguments; the environment is this one's plus the peer's own
    // config folder, the code page cp1252 and a locale with a fixed time format.
    bool Start(const QString& program, const QStringList& arguments);
    void Send(const QString& line);
    // End of input: the peer leaves and exits.
    void CloseInput();

    // Waits for a line at or after index `from` that matches pattern; returns its index or
    // -1 at the deadline (or when the process ended without printing it).
    int WaitForLine(const QRegularExpression& pattern, int from = 0,
                    int timeoutMs = DefaultTimeoutMs) override;
    // Waits for the process to end; true when it exited normally with code 0.
    bool WaitForCleanExit(int timeoutMs = DefaultTimeoutMs);
    // Waits for the process to end: its exit code, or -1 when it still runs or crashed.
    int WaitForExit(int timeoutMs = DefaultTimeoutMs);
    void Signal(int signal);
    // What it wrote to standard error so far.
    QByteArray Errors();

    const QStringList& Lines() const { return FLines; }
    // The number of lines printed so far, all that the pipe holds included: a mark to wait
    // from for what follows.
    int Mark();
    QString ConfigHome() const { return FConfigHome; }
    // Name, state, standard output and standard error: for failure messages.
    QByteArray Describe() const override;

private:
    void Collect();

    QString FName;
    QTemporaryDir FTempDir;
    QString FConfigHome;
    QProcess FProcess;
    QStringList FLines;
    QByteArray FPartial;
    QByteArray FErrors;
};
