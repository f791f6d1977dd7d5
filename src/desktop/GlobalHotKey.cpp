#include "desktop/GlobalHotKey.h"

#include "desktop/X11Connection.h"

#include <QCoreApplication>

#include <xcb/xcb_keysyms.h>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

#include <cstdlib>

namespace {
// Used where the keyboard map gives no modifier for Num Lock or Alt: the usual ones.
constexpr std::uint16_t DefaultNumLockMask = XCB_MOD_MASK_2;
constexpr std::uint16_t DefaultAltMask = XCB_MOD_MASK_1;

QList<std::uint8_t> KeyCodesOf(xcb_key_symbols_t* symbols, std::uint32_t keysym)
{
    QList<std::uint8_t> codes;
    if (xcb_keycode_t* list = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (const xcb_keycode_t* code = list; *code != XCB_NO_SYMBOL; ++code)
            if (!codes.contains(*code))
                codes << *code;
        std::free(list);
    }
    return codes;
}

// The modifier bit the keyboard map gives to a key (Num Lock, Alt), or `fallback`.
std::uint16_t ModifierMaskOf(xcb_connection_t* connection, xcb_key_symbols_t* symbols,
                             std::uint32_t keysym, std::uint16_t fallback)
{
    const QList<std::uint8_t> codes = KeyCodesOf(symbols, keysym);
    const TXcbReply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!mapping || codes.isEmpty())
        return fallback;
    const xcb_keycode_t* table = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i)
            if (codes.contains(table[modifier * perModifier + i]))
                return static_cast<std::uint16_t>(1 << modifier);
    return fallback;
}
} // namespace

TGlobalHotKey::~TGlobalHotKey()
{
    Unregister();
}

bool TGlobalHotKey::Register(TShortCut shortcut)
{
    Unregister();
    xcb_connection_t* connection = X11Connection();
    const std::uint32_t keysym = ShortCutKeySym(shortcut);
    if (shortcut == 0 || !connection || keysym == 0)
        return false;

    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    if (!symbols)
        return false;
    const QList<std::uint8_t> codes = KeyCodesOf(symbols, keysym);
    FNumLockMask = ModifierMaskOf(connection, symbols, XK_Num_Lock, DefaultNumLockMask);
    const std::uint16_t altMask = ModifierMaskOf(connection, symbols, XK_Alt_L, DefaultAltMask);
    xcb_key_symbols_free(symbols);
    if (codes.isEmpty())
        return false;

    FConnection = connection;
    FRoot = X11RootWindow(connection);
    FModifiers = ShortCutX11Modifiers(shortcut, altMask);
    FKeyCodes = codes;
    QList<xcb_void_cookie_t> grabs;
    for (const std::uint8_t code : codes)
        for (const std::uint16_t mask : X11LockVariants(FModifiers, FNumLockMask))
            grabs << xcb_grab_key_checked(connection, 0, FRoot, mask, code, XCB_GRAB_MODE_ASYNC,
                                          XCB_GRAB_MODE_ASYNC);
    // Another client holding any of the variants answers BadAccess; then the key would work
    // only in some lock states, so none of it is kept.
    bool granted = true;
    for (const xcb_void_cookie_t grab : grabs)
        if (const TXcbReply<xcb_generic_error_t> error{xcb_request_check(connection, grab)})
            granted = false;
    if (!granted) {
        Unregister();
        return false;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void TGlobalHotKey::Unregister()
{
    if (FKeyCodes.isEmpty())
        return;
    // After the application has gone, its connection has gone with it, and the grabs too.
    if (QCoreApplication::instance() && X11Connection() == FConnection) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        Ungrab();
    }
    FKeyCodes.clear();
    FConnection = nullptr;
}

void TGlobalHotKey::Ungrab()
{
    for (const std::uint8_t code : FKeyCodes)
        for (const std::uint16_t mask : X11LockVariants(FModifiers, FNumLockMask))
            xcb_ungrab_key(FConnection, code, FRoot, mask);
    xcb_flush(FConnection);
}

bool TGlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || FKeyCodes.isEmpty())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != FRoot || !FKeyCodes.contains(press->detail) ||
        !X11StateMatches(press->state, FModifiers, FNumLockMask))
        return false;
    if (FOnPressed) {
        const TPressHandler handler = FOnPressed;
        handler();
    }
    return true;
}
