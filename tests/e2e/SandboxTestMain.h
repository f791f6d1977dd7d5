#pragma once

#include "SandboxLan.h"

#include <QtTest>

#include <cstdio>

// The main of a test class that runs on a LAN of `hosts` hosts: skipped (SkipExitCode, the
// reason on stderr) where no LAN can be made or `missing` names what else is missing.
template <typename TTest>
int RunOnSandboxLan(int argc, char** argv, int hosts, QString missing = QString())
{
    QString unavailable = TSandboxLan::Unavailable();
    if (unavailable.isEmpty())
        unavailable = missing;
    if (!unavailable.isEmpty()) {
        std::fprintf(stderr, "SKIP: %s\n", qPrintable(unavailable));
        return SkipExitCode;
    }
    // Some containers let a namespace be made but not mounts in it: no LAN there either.
    const TSandboxLan lan(hosts);
    if (!lan.IsUp()) {
        std::fprintf(stderr, "SKIP: lan-sandbox up failed: %s\n", qPrintable(lan.WhyNot()));
        return SkipExitCode;
    }
    TTest test(lan);
    return QTest::qExec(&test, argc, argv);
}
