#pragma once
// Expectations on what a program under test writes (a headless peer's output, a history
// file), shared by the end-to-end tests.

#include "LineSource.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

inline constexpr int DefaultLineTimeoutMs = 10000;

// An expected output line. "[T] " stands for a time stamp ("[HH:MM:SS] "); everything else
// is taken literally and must make up the whole line.
QRegularExpression LinePattern(const QString& expected);

enum class TLineMatch {
    // The lines come in this order; other lines may come between them.
    InOrder,
    // From `from` on, these lines and nothing else, up to the last of them.
    Exactly,
};

// Waits for the expected lines of `peer` from line `from` on. False: the reason, with the
// lines so far, is in `why`.
bool ExpectLines(TLineSource& peer, int from, const QStringList& expected, TLineMatch match,
                 QByteArray& why);

// Fails the running test function unless ExpectLines holds.
#define VERIFY_LINES(peer, from, match, expected)                                                  \
    do {                                                                                           \
        QByteArray why_;                                                                           \
        if (!ExpectLines((peer), (from), (expected), (match), why_))                               \
            QFAIL(why_.constData());                                                               \
    } while (false)
