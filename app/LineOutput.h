#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>

// Standard output for a stream of event lines. A line goes out at once when the previous
// write is older than the batching window; lines that follow within the window are written
// together at its end. A quiet peer's lines thus appear without delay, and a flooded one does
// not pay a system call, and its reader a wake-up, for each line.
class TLineOutput final
{
public:
    explicit TLineOutput(int fd, int windowMs = 5);
    ~TLineOutput();
    TLineOutput(const TLineOutput&) = delete;
    TLineOutput& operator=(const TLineOutput&) = delete;

    void Write(const QByteArray& line);
    void Flush();

private:
    int FFd;
    int FWindowMs;
    QByteArray FPending;
    QElapsedTimer FLastWrite;
    QTimer FWindowEnd;
};
