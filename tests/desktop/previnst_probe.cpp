// A stand-in for the program's main block, for tst_previnst: the first copy says "running"
// and then "show" for every show request until its standard input closes; a later copy asks
// the running one to show itself and ends with AskedStatus, or NobodyStatus when there was
// none of its file name to ask.
#include "desktop/PrevInst.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int AskedStatus = 10;
constexpr int NobodyStatus = 11;

void Say(const char* line)
{
    std::puts(line);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TPrevInst instance;
    if (instance.IsAnotherInstanceRunning())
        return instance.ActivateOtherInstance() ? AskedStatus : NobodyStatus;
    instance.SetOnShowRequest([] { Say("show"); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    Say("running");
    const int status = QCoreApplication::exec();
    instance.ReleaseInstanceSemaphore();
    return status;
}
