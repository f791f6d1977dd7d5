#pragma once

#include <QByteArray>
#include <QRegularExpression>

// Lines that a program under test writes as it runs (its standard output, a file it appends
// to), for the expectations of PeerExpect.h.
class TLineSource
{
public:
    virtual ~TLineSource() = default;

    // Waits for a line at or after index `from` that matches pattern; returns its index or
    // -1 at the deadline (or when no more lines can come).
    virtual int WaitForLine(const QRegularExpression& pattern, int from, int timeoutMs) = 0;
    // Where the lines come from and what they are so far: for failure messages.
    virtual QByteArray Describe() const = 0;
};
