#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QMetaObject>

// Standard output for a stream of event lines. Lines are collected while the program is
// busy and written, together, before its event loop next waits, so no line is ever held
// while the program idles; under a flood, where the loop does not wait, a batch goes out
// when its first line is maxAgeMs old or it has grown large. A flooded peer thus pays one
// write, and its reader one wake-up, per batch instead of per line.
class TLineOutput final
{
public:
    // Belongs to the thread that runs the event loop; without one, every line goes out at
    // once.
    explicit TLineOutput(int fd, int maxAgeMs = 5);
    ~TLineOutput();
    TLineOutput(const TLineOutput&) = delete;
    TLineOutput& operator=(const TLineOutput&) = delete;

    void Write(const QByteArray& line);
    void Flush();

private:
    int FFd;
    int FMaxAgeMs;
    QByteArray FPending;
    QElapsedTimer FFirstPending;
    QMetaObject::Connection FBeforeWait;
};
