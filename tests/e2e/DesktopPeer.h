#pragma once

#include "HistoryFile.h"
#include "UserHome.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class TXvfbSession;
class TSandboxLan;

// One desktop chat program on a host of a simulated LAN, as a user there runs it: a home of
// its own (settings, runtime folder, history file), an X server of its own with a window
// manager on that host, and input only through real key events.
class TDesktopPeer final
{
public:
    static constexpr int DefaultTimeoutMs = 15000;

    TDesktopPeer(const QString& nick, const QString& program, const TSandboxLan& lan, int host);
    ~TDesktopPeer();
    TDesktopPeer(const TDesktopPeer&) = delete;
    TDesktopPeer& operator=(const TDesktopPeer&) = delete;

    // The settings of a user who registered as the nick (TUserHome::WriteSettings).
    bool WriteSettings(const TSettingRows& rows, QString& why)
    {
        return FHome.WriteSettings(FNick, rows, why);
    }
    // The X server with its window manager, then the program, until its main window is
    // shown. False: why is in `why`.
    bool Start(QString& why);

    // Types text into the window's focused widget, once the window has the input focus.
    bool Type(const QString& text);
    // Presses keys as xdotool names them ("Return", "ctrl+Return", "alt+F4").
    bool Key(const QString& keys);

    void Signal(int signal);
    // The program's exit code once it ended, or -1 when it still runs or crashed.
    int WaitForExit(int timeoutMs = DefaultTimeoutMs);

    THistoryFile& History() { return FHistory; }
    const QString& Nick() const { return FNick; }
    // The program's state and standard error, and its history: for failure messages.
    QByteArray Describe() const;

private:
    // Runs xdotool on the peer's host and display; its standard output, or nothing when it
    // failed or did not end in time.
    std::optional<QByteArray> Xdotool(const QStringList& arguments,
                                      int timeoutMs = DefaultTimeoutMs);
    QProcessEnvironment Environment() const;

    QString FNick;
    QString FProgram;
    const TSandboxLan& FLan;
    int FHost;
    TUserHome FHome;
    THistoryFile FHistory;
    std::unique_ptr<TXvfbSession> FDisplay;
    QProcess FProcess;
    QByteArray FWindow;
};
