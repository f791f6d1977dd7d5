#pragma once

#include "desktop/HotKeyCode.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <cstdint>
#include <functional>

struct xcb_connection_t;

// A system-wide shortcut: a passive grab of the key on the X11 root window, so that the
// key reaches us whichever program has the focus, with Caps Lock and Num Lock on or off.
// Only X11 has such a thing; on every other platform nothing is grabbed and Register says
// false, quietly. Main thread only.
class TGlobalHotKey final : public QAbstractNativeEventFilter
{
public:
    using TPressHandler = std::function<void()>;

    TGlobalHotKey() = default;
    ~TGlobalHotKey() override;
    Q_DISABLE_COPY_MOVE(TGlobalHotKey)

    // Grabs the shortcut, giving up the one grabbed before. False, with nothing grabbed, for
    // 0, for a key the keyboard map has no key code for, for a combination another program
    // holds already, and where the platform has no global shortcuts.
    bool Register(TShortCut shortcut);
    void Unregister();
    bool IsRegistered() const { return !FKeyCodes.isEmpty(); }

    // Run for every press of the grabbed shortcut.
    void SetOnPressed(TPressHandler handler) { FOnPressed = std::move(handler); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void Ungrab();

    TPressHandler FOnPressed;
    xcb_connection_t* FConnection = nullptr;
    std::uint32_t FRoot = 0;
    QList<std::uint8_t> FKeyCodes;
    std::uint16_t FModifiers = 0;
    std::uint16_t FNumLockMask = 0;
};
