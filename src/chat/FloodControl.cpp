#include "chat/FloodControl.h"

bool TFloodControl::Submit(const QString& text)
{
    if (FHolding)
        return false;
    if (text != FLastText) {
        FInterval = InitialInterval;
        FLastText = text;
        if (OnSend)
            OnSend(text);
        return true;
    }
    FHolding = true;
    if (OnArmTimer)
        OnArmTimer(FInterval);
    return true;
}

void TFloodControl::DelayTimerExpired()
{
    if (!FHolding)
        return;
    FHolding = false;
    FInterval = FInterval > MaxInterval / 2 ? MaxInterval : FInterval * 2;
    // Doubled before the send and sent from a copy: OnSend may already submit the next text.
    const QString text = FLastText;
    if (OnSend)
        OnSend(text);
}
