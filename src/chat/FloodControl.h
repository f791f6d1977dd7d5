#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <limits>

// Holds back a text that repeats the previous one: a new text goes out at once, a repeat
// waits for the delay timer, and the delay doubles with every repeat until a different text
// resets it. Sans-I/O: the host owns the one-shot timer; it is told to arm it through
// OnArmTimer and reports its expiry through DelayTimerExpired.
class TFloodControl final
{
public:
    static constexpr int InitialInterval = 100;
    // The delay saturates here instead of overflowing a signed 32-bit millisecond count
    // (about 24.8 days; reached after 25 doublings of 100 ms).
    static constexpr int MaxInterval = std::numeric_limits<std::int32_t>::max();

    std::function<void(const QString& text)> OnSend;
    std::function<void(int ms)> OnArmTimer;

    TFloodControl() = default;
    Q_DISABLE_COPY_MOVE(TFloodControl)

    // Sends text at once when it differs from LastText (exact comparison), else holds it
    // back and arms the timer. While a repeat is held, Submit refuses every text and returns
    // false, so that the caller keeps it: nothing is sent twice and nothing is dropped.
    bool Submit(const QString& text);
    // The host's timer fired. Sends the held repeat and doubles the delay; does nothing when
    // no repeat is held (a stale expiry).
    void DelayTimerExpired();

    bool IsBusy() const { return FHolding; }
    int Interval() const { return FInterval; }
    const QString& LastText() const { return FLastText; }

private:
    QString FLastText;
    int FInterval = InitialInterval;
    bool FHolding = false;
};
