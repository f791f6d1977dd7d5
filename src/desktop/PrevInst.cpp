#include "desktop/PrevInst.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {
const QByteArray ShowRequest = QByteArrayLiteral("show\n");
// A copy that asks only waits this long for the running one, which answers at once or never.
constexpr int RequestTimeoutMs = 1000;
} // namespace

TPrevInst::TPrevInst(const QString& programFilePath, QObject* parent)
    : QObject(parent), FFolder(RuntimeFolder()), FProgramName(QFileInfo(programFilePath).fileName())
{
}

TPrevInst::~TPrevInst()
{
    ReleaseInstanceSemaphore();
}

QString TPrevInst::RuntimeFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    // Without a runtime folder of our own, one below the temporary folder that only we can
    // enter, so that nobody else can take or fake the lock.
    const QString folder =
        QDir::tempPath() +
        QStringLiteral("/zelkit-chat-%1").arg(static_cast<qulonglong>(::getuid()));
    QDir().mkpath(folder);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString TPrevInst::LockFilePath() const
{
    return FFolder + u'/' + QLatin1String(SemaphoreName) + QStringLiteral(".lock");
}

QString TPrevInst::ServerPath() const
{
    return FFolder + u'/' + FProgramName + QStringLiteral(".instance");
}

bool TPrevInst::OwnsInstance() const
{
    return FLock && FLock->isLocked();
}

bool TPrevInst::IsAnotherInstanceRunning()
{
    if (OwnsInstance())
        return false;
    auto lock = std::make_unique<QLockFile>(LockFilePath());
    // The lock is held for the whole run; only the death of its owner (which QLockFile finds
    // by the process id in the file) makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return true;
    FLock = std::move(lock);
    Listen();
    return false;
}

void TPrevInst::Listen()
{
    // A socket file left by a copy that died would refuse the new server; the lock says it
    // is nobody's now.
    QLocalServer::removeServer(ServerPath());
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TPrevInst::OnNewConnection);
    if (!FServer->listen(ServerPath())) {
        delete FServer;
        FServer = nullptr;
    }
}

void TPrevInst::OnNewConnection()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnRequestData(socket); });
        if (socket->bytesAvailable() > 0)
            OnRequestData(socket);
    }
}

void TPrevInst::OnRequestData(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < ShowRequest.size())
        return;
    const bool show = socket->read(ShowRequest.size()) == ShowRequest;
    socket->disconnectFromServer();
    if (show && FOnShowRequest) {
        const TShowHandler handler = FOnShowRequest;
        handler();
    }
}

bool TPrevInst::ActivateOtherInstance()
{
    QLocalSocket socket;
    socket.connectToServer(ServerPath());
    if (!socket.waitForConnected(RequestTimeoutMs))
        return false;
    const bool sent = socket.write(ShowRequest) == ShowRequest.size() &&
                      (socket.bytesToWrite() == 0 || socket.waitForBytesWritten(RequestTimeoutMs));
    // Whatever was written is delivered; the running copy reads it after we have gone.
    socket.disconnectFromServer();
    return sent;
}

void TPrevInst::ReleaseInstanceSemaphore()
{
    if (FServer) {
        FServer->close();
        delete FServer;
        FServer = nullptr;
    }
    if (FLock) {
        FLock->unlock();
        FLock.reset();
    }
}
