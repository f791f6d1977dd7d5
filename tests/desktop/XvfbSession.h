#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A private X server (Xvfb, no TCP) with a window manager (openbox) for the X11 tests, so that
// they never touch the user's own desktop. Started before the QApplication, which is then
// pointed at it; stopped when the object goes, after the application.
class TXvfbSession
{
public:
    // launcher: a command that runs its arguments elsewhere, in front of the server's and the
    // window manager's own command lines; a host of a simulated LAN needs its own server,
    // since the server's abstract socket exists only in the network namespace it started in.
    explicit TXvfbSession(const QStringList& launcher = {});
    ~TXvfbSession();
    Q_DISABLE_COPY_MOVE(TXvfbSession)

    // Whether the server and the window manager are up; WhyNot says what is missing if not.
    bool IsUp() const { return !FDisplay.isEmpty(); }
    const QString& WhyNot() const { return FWhyNot; }
    // ":N"
    const QByteArray& Display() const { return FDisplay; }

private:
    bool StartServer();
    bool StartWindowManager();
    bool WaitForWindowManager() const;
    void Launch(QProcess& process, const QString& program, const QStringList& arguments);

    QStringList FLauncher;

    QProcess FServer;
    QProcess FWindowManager;
    QByteArray FDisplay;
    QString FWhyNot;
};
