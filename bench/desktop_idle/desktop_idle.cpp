// What the desktop program costs a user who starts it and leaves it alone: how long until
// its main window is on the screen, how much memory it holds, and how much CPU it uses while
// nothing happens. Each run starts the program with a fresh profile (the registration
// already answered by the settings file) on a private X server with a window manager, inside
// a network namespace of its own (the program broadcasts to its adapter's network):
//
//   window  from just before the program is started until its window is viewable
//   rss     VmRSS 10 s after the start
//   cpu     utime + stime over the following 20 s, in percent of one core
//
//   desktop_idle [RUNS]   (3; the figures are the medians)
#include "SandboxLan.h"
#include "UserHome.h"
#include "WindowWatch.h"
#include "XvfbSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* InsideVariable = "ZELKIT_DESKTOP_IDLE_INSIDE";
constexpr int StartTimeoutMs = 20000;
constexpr int RssAfterMs = 10000;
constexpr int IdleMs = 20000;
constexpr double WindowTargetMs = 250;
constexpr double RssTargetMb = 50;
constexpr double CpuTargetPercent = 0.1;

struct TRun {
    double windowMs = 0;
    double rssMb = 0;
    double cpuPercent = 0;
};

// VmRSS of /proc/PID/status in MiB.
std::optional<double> RssMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return std::nullopt;
}

// utime + stime of /proc/PID/stat in seconds; the fields are counted after the command's
// closing parenthesis, since the command itself may hold blanks.
std::optional<double> CpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // state is field 3 of the whole line, utime 14 and stime 15.
    if (fields.size() < 13)
        return std::nullopt;
    return (fields[11].toDouble() + fields[12].toDouble()) /
           static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::optional<TRun> RunOnce(const TXvfbSession& display, int run)
{
    TUserHome home;
    QString why;
    if (!home.WriteSettings(QStringLiteral("Idle"), {}, why)) {
        std::fprintf(stderr, "desktop_idle: %s\n", qPrintable(why));
        return std::nullopt;
    }
    TWindowWatch watch(display.Display());
    if (!watch.IsOpen()) {
        std::fprintf(stderr, "desktop_idle: cannot watch display %s\n",
                     display.Display().constData());
        return std::nullopt;
    }
    QProcess program;
    program.setProcessEnvironment(home.Environment(display.Display()));
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer sinceStart;
    sinceStart.start();
    program.start(QStringLiteral(ZELKIT_CHAT_EXE), {});
    if (!program.waitForStarted(StartTimeoutMs)) {
        std::fprintf(stderr, "desktop_idle: cannot start %s\n", ZELKIT_CHAT_EXE);
        return std::nullopt;
    }
    const qint64 pid = program.processId();
    const bool shown = watch.WaitForViewable(pid, StartTimeoutMs);
    TRun figures;
    figures.windowMs = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
    // The CPU it took to get there: on a busy machine the gap to the wall time is the wait
    // for a core.
    const double startCpuMs = CpuSeconds(pid).value_or(0) * 1000;
    // Waiting for its end doubles as a wait that notices a crash.
    program.waitForFinished(static_cast<int>(qMax<qint64>(1, RssAfterMs - sinceStart.elapsed())));
    const std::optional<double> rss = RssMb(pid);
    const std::optional<double> cpuBefore = CpuSeconds(pid);
    QElapsedTimer idle;
    idle.start();
    program.waitForFinished(IdleMs);
    const std::optional<double> cpuAfter = CpuSeconds(pid);
    const double idleSeconds = static_cast<double>(idle.nsecsElapsed()) / 1e9;
    if (!shown || !rss || !cpuBefore || !cpuAfter || program.state() != QProcess::Running) {
        std::fprintf(stderr, "desktop_idle: run %d: the program %s\n", run,
                     shown ? "ended before it was measured" : "never showed its window");
        return std::nullopt;
    }
    figures.rssMb = *rss;
    figures.cpuPercent = 100.0 * (*cpuAfter - *cpuBefore) / idleSeconds;
    program.terminate();
    if (!program.waitForFinished(StartTimeoutMs))
        program.kill();
    std::printf("run %d: window %.1f ms (%.0f ms of CPU), rss %.1f MB, cpu %.3f%% (%.2f s of CPU "
                "in %.1f s)\n",
                run, figures.windowMs, startCpuMs, figures.rssMb, figures.cpuPercent,
                *cpuAfter - *cpuBefore, idleSeconds);
    std::fflush(stdout);
    return figures;
}

double Median(std::vector<TRun>& runs, double TRun::*figure)
{
    std::sort(runs.begin(), runs.end(),
              [figure](const TRun& a, const TRun& b) { return a.*figure < b.*figure; });
    return runs[runs.size() / 2].*figure;
}

// The program picks its adapter's broadcast address: it may only run where that adapter is
// one of a namespace of our own. The bench runs itself again inside one.
[[noreturn]] void RunInsideSandbox(char** argv)
{
    const QString unavailable = TSandboxLan::Unavailable();
    if (!unavailable.isEmpty()) {
        std::fprintf(stderr, "desktop_idle: %s\n", qPrintable(unavailable));
        std::exit(1);
    }
    const QByteArray tool = QFile::encodeName(TSandboxLan::Tool());
    // The sandbox's shell would take /proc/self/exe for itself: the bench's own path.
    char self[4096] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0) {
        std::perror("desktop_idle: /proc/self/exe");
        std::exit(1);
    }
    std::vector<char*> arguments{const_cast<char*>(tool.constData()), const_cast<char*>("solo"),
                                 self};
    for (char** arg = argv + 1; *arg; ++arg)
        arguments.push_back(*arg);
    arguments.push_back(nullptr);
    ::setenv(InsideVariable, "1", 1);
    ::execv(tool.constData(), arguments.data());
    std::perror("desktop_idle: lan-sandbox");
    std::exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet(InsideVariable))
        RunInsideSandbox(argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    const TXvfbSession display;
    if (!display.IsUp()) {
        std::fprintf(stderr, "desktop_idle: %s\n", qPrintable(display.WhyNot()));
        return 1;
    }
    std::vector<TRun> figures;
    for (int run = 1; run <= runs; ++run) {
        const std::optional<TRun> one = RunOnce(display, run);
        if (!one)
            return 1;
        figures.push_back(*one);
    }
    const double window = Median(figures, &TRun::windowMs);
    const double rss = Median(figures, &TRun::rssMb);
    const double cpu = Median(figures, &TRun::cpuPercent);
    std::printf("window=%.0f ms rss=%.1f MB cpu=%.3f %%\n", window, rss, cpu);
    return window < WindowTargetMs && rss < RssTargetMb && cpu < CpuTargetPercent ? 0 : 2;
}
