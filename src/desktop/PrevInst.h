#pragma once

#include "config/Utils.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One copy of the chat per user. The first copy takes a lock file named after the
// single-instance GUID in the user's runtime folder and listens on a local socket there named
// after its program file. A later copy finds the lock taken, asks the copy of its own program
// file through that socket to show itself, and ends; a copy under another file name finds no
// socket of its name and only ends. A lock left by a copy that died is taken over.
//
// The main block: IsAnotherInstanceRunning; if true, ActivateOtherInstance and end; else
// run, with the show requests bound to the main window's show-or-hide toggle; in both cases
// ReleaseInstanceSemaphore at the end. Main thread only.
class TPrevInst final : public QObject
{
    Q_OBJECT

public:
    static constexpr char SemaphoreName[] = "{458F1060-48D4-11D8-B9CB-0000E81ABA67}";
    using TShowHandler = std::function<void()>;

    // `programFilePath` is the running program's file; its file name names the socket.
    explicit TPrevInst(const QString& programFilePath = ProgramFilePath(),
                       QObject* parent = nullptr);
    ~TPrevInst() override;
    Q_DISABLE_COPY_MOVE(TPrevInst)

    // True when another copy holds the lock. Otherwise this copy takes it and from now on
    // hears the show requests of later copies.
    bool IsAnotherInstanceRunning();
    // Asks the running copy of this program file to show itself; false when there is none
    // to ask (a copy under another file name, or one still starting).
    bool ActivateOtherInstance();
    // Gives the lock and the socket up, when this copy holds them.
    void ReleaseInstanceSemaphore();

    bool OwnsInstance() const;
    // Run for every show request of a later copy; the main window binds its tray toggle.
    void SetOnShowRequest(TShowHandler handler) { FOnShowRequest = std::move(handler); }

    // The per-user folder of the lock and the socket: $XDG_RUNTIME_DIR as Qt finds it, or a
    // private folder below the temporary one.
    static QString RuntimeFolder();
    QString LockFilePath() const;
    QString ServerPath() const;

private:
    void Listen();
    void OnNewConnection();
    void OnRequestData(QLocalSocket* socket);

    QString FFolder;
    QString FProgramName;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer* FServer = nullptr;
    TShowHandler FOnShowRequest;
};
