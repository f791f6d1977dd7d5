#include "config/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Marks our temporary files apart from anything the user keeps beside the target
// ("user.reg.backup").
constexpr char TemporarySuffix[] = ".tmp-";

QString ErrnoText(const char* what, const QString& path)
{
    return QStringLiteral("%1 %2: %3")
        .arg(QLatin1String(what), path, QString::fromLocal8Bit(std::strerror(errno)));
}

bool WriteAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

void SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A write killed between the creation of its temporary file and the rename leaves that file
// behind; the next write takes it away once it is too old to belong to a write still going.
void RemoveStaleTemporaries(const QString& target)
{
    constexpr qint64 StaleSeconds = 60;
    const QFileInfo info(target);
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName() + QLatin1String(TemporarySuffix)) +
        QStringLiteral("[A-Za-z0-9]{6}")));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDir folder = info.absoluteDir();
    for (const QFileInfo& file : folder.entryInfoList(
             {info.fileName() + QLatin1String(TemporarySuffix) + QStringLiteral("*")},
             QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (temporary.match(file.fileName()).hasMatch() &&
            file.lastModified().toUTC().secsTo(now) > StaleSeconds)
            QFile::remove(file.absoluteFilePath());
    }
}

QString ResolveLink(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.symLinkTarget();
    return target.isEmpty() ? path : target;
}
} // namespace

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, unsigned newFileMode,
                         QString* error)
{
    QString message;
    const QString target = ResolveLink(path);
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create folder %1").arg(folder);
        return false;
    }
    mode_t mode = static_cast<mode_t>(newFileMode);
    struct stat existing {
    };
    const QByteArray targetName = QFile::encodeName(target);
    if (::stat(targetName.constData(), &existing) == 0)
        mode = existing.st_mode & 07777;

    QByteArray tempName = targetName + TemporarySuffix + "XXXXXX";
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = ErrnoText("cannot create a temporary file beside", target);
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok)
        message = ErrnoText("cannot write", QFile::decodeName(tempName));
    if (::close(fd) != 0 && ok) {
        ok = false;
        message = ErrnoText("cannot write", QFile::decodeName(tempName));
    }
    if (ok && ::rename(tempName.constData(), targetName.constData()) != 0) {
        ok = false;
        message = ErrnoText("cannot replace", target);
    }
    if (!ok) {
        ::unlink(tempName.constData());
        if (error)
            *error = message;
        return false;
    }
    SyncFolder(QFile::encodeName(folder));
    RemoveStaleTemporaries(target);
    return true;
}

QString MoveAsideWithoutReplacing(const QString& path, const QString& base)
{
    const QByteArray from = QFile::encodeName(path);
    for (int n = 0; n < 10000; ++n) {
        const QString candidate = n == 0 ? base : base + u'.' + QString::number(n);
        const QByteArray to = QFile::encodeName(candidate);
        // A hard link fails when the name is taken, so nothing can be replaced, not even by
        // a file that appears between the test and the move.
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return candidate;
        }
        if (errno == EEXIST)
            continue;
        // Folders without hard links: fall back to a checked rename.
        if (QFileInfo::exists(candidate))
            continue;
        if (::rename(from.constData(), to.constData()) == 0)
            return candidate;
        return {};
    }
    return {};
}
