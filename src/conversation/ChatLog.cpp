#include "conversation/ChatLog.h"

#include "chat/ConsoleText.h"
#include "config/Utils.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The history holds private messages: only its owner reads a file the log creates.
constexpr mode_t NewFileMode = 0600;
constexpr qint64 BytesPerKB = 1024;
// One line is cut per this many bytes of the file's size.
constexpr qint64 BytesPerCutLine = 1280;
constexpr size_t ChunkSize = 64 * 1024;

QString ErrnoText(const char* what, const QString& path, int cause = errno)
{
    return QStringLiteral("%1 %2: %3")
        .arg(QLatin1String(what), path, QString::fromLocal8Bit(std::strerror(cause)));
}

// At the file position, or at `offset` when one is given.
bool WriteAll(int fd, const char* data, qint64 size, qint64 offset = -1)
{
    while (size > 0) {
        const ssize_t written = offset < 0 ? ::write(fd, data, static_cast<size_t>(size))
                                           : ::pwrite(fd, data, static_cast<size_t>(size), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
        if (offset >= 0)
            offset += written;
    }
    return true;
}

// Opens for appending, creating the file when missing. O_NONBLOCK keeps a FIFO without
// reader from hanging the program; anything but a regular file is refused.
int OpenForAppend(const QString& name, QString& error)
{
    if (name.isEmpty()) {
        error = QStringLiteral("no history file name");
        return -1;
    }
    const int fd =
        ::open(QFile::encodeName(name).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, NewFileMode);
    if (fd < 0) {
        error = ErrnoText("cannot open", name);
        return -1;
    }
    struct stat info {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = QStringLiteral("not a regular file: %1").arg(name);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Every CR LF, lone CR and lone LF becomes CR LF, so that each line of the file ends alike.
// Every line break as CR LF, and every other control byte but the tab as "?": a peer's text
// must not be able to drive the terminal a history is read in (escape sequences, the bell)
// or make the file binary for the tools that search it (a zero byte).
QByteArray WithCrLfBreaks(const QByteArray& text)
{
    const bool clean = std::none_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
    if (clean)
        return text;
    QByteArray result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n') {
            result.append("\r\n");
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if ((u < 0x20 && c != '\t') || u == 0x7F) {
            result.append('?');
        } else {
            result.append(c);
        }
    }
    return result;
}

// The offset just past the `lines`-th line end (LF) from the file's start, or the file's
// end when it has fewer lines; -1 on a read error. Lines written by other editors (LF
// only) are cut whole as well.
qint64 OffsetAfterLines(int fd, qint64 lines)
{
    std::array<char, ChunkSize> buffer{};
    qint64 offset = 0;
    while (lines > 0) {
        const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        const char* begin = buffer.data();
        const char* end = begin + got;
        for (const char* p = begin; p < end && lines > 0;) {
            const void* found = std::memchr(p, '\n', static_cast<size_t>(end - p));
            if (!found) {
                p = end;
                break;
            }
            p = static_cast<const char*>(found) + 1;
            --lines;
            if (lines == 0)
                return offset + (p - begin);
        }
        offset += got;
    }
    return offset;
}

// Copies `from` from `offset` to its end into `to` (at `toOffset` when one is given); the
// number of bytes copied, or -1.
qint64 CopyFrom(int from, qint64 offset, int to, qint64 toOffset = -1)
{
    std::array<char, ChunkSize> buffer{};
    qint64 copied = 0;
    for (;;) {
        const ssize_t got = ::pread(from, buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            return copied;
        if (!WriteAll(to, buffer.data(), got, toOffset < 0 ? -1 : toOffset + copied))
            return -1;
        offset += got;
        copied += got;
    }
}

void SyncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves the bytes from `cut` on to the start of the file and ends it there. A crash midway
// leaves the history with some lines twice, never with a line lost.
bool CutInPlace(const QString& target, qint64 cut, QString& error)
{
    const int fd =
        ::open(QFile::encodeName(target).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = ErrnoText("cannot open for cutting", target);
        return false;
    }
    // Writing goes to lower offsets than reading, so nothing is overwritten before it is read.
    const qint64 kept = CopyFrom(fd, cut, fd, 0);
    const bool ok = kept >= 0 && ::ftruncate(fd, kept) == 0 && ::fsync(fd) == 0;
    if (!ok)
        error = ErrnoText("cannot cut", target);
    ::close(fd);
    return ok;
}

// Writes the bytes of `in` from `cut` on to a new file beside `target` and renames it over
// the target: the history is whole at every moment, cut or not.
bool ReplaceWithTail(int in, const struct stat& info, qint64 cut, const QString& target,
                     QString& error)
{
    QByteArray tempName = QFile::encodeName(target) + ".XXXXXX";
    const int out = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (out < 0) {
        // A folder the user may not add files to would otherwise never see its history cut.
        const int cause = errno;
        if (CutInPlace(target, cut, error))
            return true;
        error = ErrnoText("cannot create a temporary file beside", target, cause) +
                QStringLiteral("; ") + error;
        return false;
    }
    // Ownership only changes back where the process may do so; failing that is harmless.
    [[maybe_unused]] const int owned = ::fchown(out, info.st_uid, info.st_gid);
    bool ok = ::fchmod(out, info.st_mode & 07777) == 0 && CopyFrom(in, cut, out) >= 0 &&
              ::fsync(out) == 0;
    if (!ok)
        error = ErrnoText("cannot write", QFile::decodeName(tempName));
    if (::close(out) != 0 && ok) {
        ok = false;
        error = ErrnoText("cannot write", QFile::decodeName(tempName));
    }
    if (ok && ::rename(tempName.constData(), QFile::encodeName(target).constData()) != 0) {
        ok = false;
        error = ErrnoText("cannot replace", target);
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return false;
    }
    SyncFolder(QFileInfo(target).absolutePath());
    return true;
}

// The file the name stands for, through any symbolic links, so that a linked history stays
// a link after a cut.
QString ResolvedTarget(const QString& name)
{
    const QString canonical = QFileInfo(name).canonicalFilePath();
    return canonical.isEmpty() ? name : canonical;
}

QByteArray DateText(const QDateTime& now)
{
    return ToAnsi(QLocale().toString(now.date(), QLocale::ShortFormat));
}

QByteArray TimeText(const QDateTime& now)
{
    return ToAnsi(QLocale().toString(now.time(), LongTimeFormat()));
}

bool CutFile(const QString& name, std::uint32_t limitKB, QString& error)
{
    const QString target = ResolvedTarget(name);
    const int in =
        ::open(QFile::encodeName(target).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (in < 0) {
        if (errno == ENOENT)
            return true;
        error = ErrnoText("cannot read", target);
        return false;
    }
    struct stat info {
    };
    bool ok = true;
    if (::fstat(in, &info) != 0) {
        error = ErrnoText("cannot read", target);
        ok = false;
    } else if (S_ISREG(info.st_mode) && info.st_size / BytesPerKB >= qint64(limitKB)) {
        const qint64 cut = OffsetAfterLines(in, info.st_size / BytesPerCutLine);
        if (cut < 0) {
            error = ErrnoText("cannot read", target);
            ok = false;
        } else if (cut > 0) {
            ok = ReplaceWithTail(in, info, cut, target, error);
        }
    }
    ::close(in);
    return ok;
}
} // namespace

TChatLog::TChatLog(TClock clock) : FClock(std::move(clock)) {}

TChatLog::~TChatLog()
{
    Close();
}

bool TChatLog::SetEnabled(bool on)
{
    FEnabled = on;
    if (on)
        FEnabled = Open();
    else
        Close();
    return FEnabled;
}

void TChatLog::SetFileName(const QString& name)
{
    if (name == FFileName)
        return;
    Close();
    FFileName = name;
}

bool TChatLog::Open()
{
    if (IsOpen())
        return true;
    FFile = OpenForAppend(FFileName, FLastError);
    if (FFile < 0)
        return false;
    FLastError.clear();
    return true;
}

void TChatLog::Close()
{
    if (!IsOpen())
        return;
    ::fdatasync(FFile);
    ::close(FFile);
    FFile = -1;
}

bool TChatLog::WriteSessionEvent(const QString& text, bool blankAfter)
{
    if (!FEnabled)
        return true;
    const QDateTime now = Now();
    bool ok = WriteLine(DateText(now) + ' ' + TimeText(now) + ' ' + ToAnsi(text));
    if (blankAfter)
        ok = WriteLine(QByteArray()) && ok;
    return ok;
}

bool TChatLog::WriteMessage(const QByteArray& nick, const QByteArray& text)
{
    if (!FEnabled)
        return true;
    return WriteLine('[' + TimeText(Now()) + "] <" + nick + "> " + text);
}

bool TChatLog::WriteLine(const QByteArray& text)
{
    if (!FEnabled)
        return true;
    DropUnlinkedFile();
    if (!Open() || !AppendToFile(WithCrLfBreaks(text) + "\r\n"))
        return false;
    FLastError.clear();
    if (FFirstWrite) {
        FFirstWrite = false;
        if (FOnFirstWrite)
            FOnFirstWrite(*this);
    }
    // The line is in the file whatever the cut does; a failed cut is retried next time.
    if (FSizeLimitKB != 0)
        TrimToLimit();
    return true;
}

bool TChatLog::TrimToLimit()
{
    if (FSizeLimitKB == 0 || FFileName.isEmpty())
        return true;
    struct stat info {
    };
    // Below the cap nothing happens, so the common write costs one stat and no reopening.
    if (::stat(QFile::encodeName(FFileName).constData(), &info) != 0 ||
        info.st_size / BytesPerKB < qint64(FSizeLimitKB))
        return true;
    const bool wasOpen = IsOpen();
    Close();
    QString error;
    bool ok = CutFile(FFileName, FSizeLimitKB, error);
    if (wasOpen && !Open()) {
        error = FLastError;
        ok = false;
    }
    FLastError = ok ? QString() : error;
    return ok;
}

QString TChatLog::DefaultFileName()
{
    return GetPersonalFolder() + QStringLiteral("ZelkitChat") + QStringLiteral(".history");
}

bool TChatLog::CanCreateFile(const QString& name)
{
    if (name.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(name);
    struct stat info {
    };
    if (::stat(path.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return false;
        const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }
    // O_EXCL: only a file made here is removed again, never one that appeared meanwhile.
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(path.constData());
    return true;
}

bool TChatLog::AppendToFile(const QByteArray& line)
{
    struct stat info {
    };
    const off_t before = ::fstat(FFile, &info) == 0 ? info.st_size : -1;
    if (WriteAll(FFile, line.constData(), line.size()))
        return true;
    FLastError = ErrnoText("cannot write", FFileName);
    // A line is in the history whole or not at all.
    if (before >= 0 && ::ftruncate(FFile, before) != 0)
        FLastError += QStringLiteral("; the file may end in a partial line");
    Close();
    return false;
}

// A history deleted while open would swallow every later line unseen; the next line
// creates the file anew instead.
void TChatLog::DropUnlinkedFile()
{
    struct stat info {
    };
    if (IsOpen() && ::fstat(FFile, &info) == 0 && info.st_nlink == 0)
        Close();
}

QDateTime TChatLog::Now() const
{
    return FClock ? FClock() : QDateTime::currentDateTime();
}

TChatLog& AppChatLog()
{
    static TChatLog log;
    return log;
}
