#pragma once

#include <QString>
#include <QStringList>

// The exit code by which an end-to-end test reports itself skipped (its SKIP_RETURN_CODE in
// CTest).
inline constexpr int SkipExitCode = 77;

// A simulated LAN of network namespaces made by the lan-sandbox tool: the one place where a
// test broadcasts outside loopback. Taken down however the test ends, short of a crash.
class TSandboxLan final
{
public:
    // The tool: ZELKIT_LAN_SANDBOX where a clone does not stand beside it, else the copy
    // beside the source tree, else one on the PATH.
    static QString Tool();
    // Empty when namespaces can be made here; else why not.
    static QString Unavailable();

    // Makes `hosts` hosts, 198.18.0.1 and on, on one bridge.
    explicit TSandboxLan(int hosts);
    ~TSandboxLan();
    TSandboxLan(const TSandboxLan&) = delete;
    TSandboxLan& operator=(const TSandboxLan&) = delete;

    bool IsUp() const { return FUp; }
    // What `up` printed when it failed.
    QString WhyNot() const { return FWhyNot; }
    // The start of a command line, tool first, that runs what follows on host i (1-based).
    QStringList Launcher(int i) const;
    // The command line that runs program with its arguments on host i.
    QStringList OnHost(int i, const QString& program, const QStringList& arguments = {}) const;

private:
    QString FName;
    QString FWhyNot;
    bool FUp = false;
};
