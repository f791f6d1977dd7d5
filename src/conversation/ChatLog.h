#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>

// The message history: one plain-text file in the code page of the wire that grows across
// runs, every line ending in CR LF. While enabled the file is held open for appending; each
// line goes to the kernel in one write, so a crash loses nothing already logged.
//
// Failures never throw and never end the program. A line that cannot be written is dropped
// whole (a partly written line is taken back out of the file), the call returns false and
// LastError says why; the log stays enabled and the next line tries the file again.
//
// Main thread only.
class TChatLog final
{
public:
    using TClock = std::function<QDateTime()>;
    using TFirstWriteEvent = std::function<void(TChatLog&)>;

    // clock: the wall clock for the time stamps; empty means the system's local time.
    explicit TChatLog(TClock clock = {});
    ~TChatLog();
    Q_DISABLE_COPY_MOVE(TChatLog)

    bool Enabled() const { return FEnabled; }
    // Switching on opens (or creates) FileName at once and is refused, leaving the log
    // disabled, when that fails. Returns Enabled.
    bool SetEnabled(bool on);

    QString FileName() const { return FFileName; }
    // A different name takes effect at once: the file of the old name is closed and the
    // next line (or SetEnabled) opens the new one.
    void SetFileName(const QString& name);

    // The size cap in KB of 1024 bytes; 0: no cap.
    std::uint32_t SizeLimitKB() const { return FSizeLimitKB; }
    void SetSizeLimitKB(std::uint32_t limitKB) { FSizeLimitKB = limitKB; }

    // Run once per log, right after the first line has reached the file.
    void SetOnFirstWrite(TFirstWriteEvent handler) { FOnFirstWrite = std::move(handler); }

    bool IsOpen() const { return FFile >= 0; }
    // True when the file is open; opens it for appending, creating it empty when missing.
    // Only regular files are accepted.
    bool Open();
    // Closes the file after flushing it to the disk.
    void Close();

    // date + " " + time + " " + text; with blankAfter an empty line follows. False only when
    // the log is enabled and a line was dropped.
    bool WriteSessionEvent(const QString& text, bool blankAfter);
    // "[" + time + "] <" + nick + "> " + text. The nick and the text are already in the code
    // page; a line break of any kind in them is written as CR LF. False only when the log is
    // enabled and the line was dropped.
    bool WriteMessage(const QByteArray& nick, const QByteArray& text);
    // Appends text and CR LF when enabled, then cuts the file if it has reached the cap.
    bool WriteLine(const QByteArray& text);

    // When the file has reached SizeLimitKB, its oldest whole lines, as many as one per
    // 1280 bytes of its size, are cut away. The kept part is written beside the file and
    // renamed over it, so a crash leaves either the old or the cut file. False when a cut
    // was due and could not be made; the file is then left whole and the next line retries.
    bool TrimToLimit();

    // Why the last failing call failed; empty after a success.
    QString LastError() const { return FLastError; }

    // The proposed history file: the user's documents folder + "ZelkitChat.history".
    static QString DefaultFileName();
    // Whether `name` can serve as the history file: an existing regular file that can be
    // opened for appending (its content stays untouched), or a new file that can be created
    // there (it is removed again).
    static bool CanCreateFile(const QString& name);

private:
    bool AppendToFile(const QByteArray& line);
    void DropUnlinkedFile();
    QDateTime Now() const;

    TClock FClock;
    TFirstWriteEvent FOnFirstWrite;
    QString FFileName;
    QString FLastError;
    std::uint32_t FSizeLimitKB = 0;
    int FFile = -1;
    bool FEnabled = false;
    bool FFirstWrite = true;
};

// The program's one history log, created at the first call and kept until the program ends.
TChatLog& AppChatLog();
