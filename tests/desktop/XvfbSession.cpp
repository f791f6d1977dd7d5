#include "XvfbSession.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr int StartTimeoutMs = 20000;
constexpr int PollMs = 20;

// Whether the root window names a window manager (_NET_SUPPORTING_WM_CHECK), which openbox
// sets once it manages the screen.
bool HasWindowManager(const QByteArray& display)
{
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    bool managed = false;
    if (!xcb_connection_has_error(connection)) {
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        if (atom && atom->atom != XCB_ATOM_NONE) {
            xcb_get_property_reply_t* property = xcb_get_property_reply(
                connection,
                xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
            managed = property && xcb_get_property_value_length(property) == 4;
            std::free(property);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return managed;
}
} // namespace

TXvfbSession::TXvfbSession(const QStringList& launcher) : FLauncher(launcher)
{
    if (StartServer() && !StartWindowManager())
        FDisplay.clear();
}

TXvfbSession::~TXvfbSession()
{
    for (QProcess* process : {&FWindowManager, &FServer}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished();
        }
    }
}

bool TXvfbSession::StartServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        FWhyNot = QStringLiteral("Xvfb is not installed");
        return false;
    }
    // The server picks a free display itself and writes its number to the pipe when it is
    // ready for clients.
    int ready[2];
    if (::pipe(ready) != 0) {
        FWhyNot = QStringLiteral("no pipe");
        return false;
    }
    // Without -noreset the server starts over whenever its last client leaves, as the probes
    // for the window manager do, and refuses or stalls the clients that come meanwhile.
    Launch(FServer, xvfb,
           {QStringLiteral("-displayfd"), QString::number(ready[1]), QStringLiteral("-noreset"),
            QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
            QStringLiteral("0"), QStringLiteral("1024x768x24")});
    const bool started = FServer.waitForStarted(StartTimeoutMs);
    ::close(ready[1]);
    QByteArray number;
    pollfd wait{ready[0], POLLIN, 0};
    while (started && ::poll(&wait, 1, StartTimeoutMs) > 0) {
        char buffer[16];
        const ssize_t got = ::read(ready[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, got);
        if (number.endsWith('\n'))
            break;
    }
    ::close(ready[0]);
    if (number.trimmed().isEmpty()) {
        FWhyNot = QStringLiteral("Xvfb did not start");
        return false;
    }
    FDisplay = ':' + number.trimmed();
    return true;
}

bool TXvfbSession::StartWindowManager()
{
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (openbox.isEmpty()) {
        FWhyNot = QStringLiteral("openbox is not installed");
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(FDisplay));
    FWindowManager.setProcessEnvironment(environment);
    Launch(FWindowManager, openbox, {QStringLiteral("--sm-disable")});
    if (!WaitForWindowManager()) {
        FWhyNot = QStringLiteral("openbox did not start");
        return false;
    }
    return true;
}

void TXvfbSession::Launch(QProcess& process, const QString& program, const QStringList& arguments)
{
    const QStringList command = FLauncher + QStringList{program} + arguments;
    process.setProgram(command.first());
    process.setArguments(command.mid(1));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
}

bool TXvfbSession::WaitForWindowManager() const
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < StartTimeoutMs) {
        if (FWindowManager.state() == QProcess::NotRunning)
            return false;
        if (HasWindowManager(FDisplay))
            return true;
        QThread::msleep(PollMs);
    }
    return false;
}
