#include "desktop/HotKeyCode.h"

#include <QKeySequence>

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

namespace {
// X11 core modifier masks.
constexpr std::uint16_t X11ShiftMask = 1 << 0;
constexpr std::uint16_t X11LockMask = 1 << 1;
constexpr std::uint16_t X11ControlMask = 1 << 2;
// Pointer buttons and keyboard groups also show in the state of a key press.
constexpr std::uint16_t X11ModifierBits = 0xFF;

struct TKeyRow {
    std::uint8_t Vk;
    int QtKey;
    bool Keypad;
    std::uint32_t KeySym;
};

// The keys of a shortcut word that are not a letter, a digit or a function key. The
// punctuation codes are those of the US keyboard, as Windows names them.
constexpr TKeyRow KeyRows[] = {
    {0x08, Qt::Key_Backspace, false, XK_BackSpace},
    {0x09, Qt::Key_Tab, false, XK_Tab},
    {0x0C, Qt::Key_Clear, false, XK_Clear},
    {0x0D, Qt::Key_Return, false, XK_Return},
    {0x13, Qt::Key_Pause, false, XK_Pause},
    {0x14, Qt::Key_CapsLock, false, XK_Caps_Lock},
    {0x1B, Qt::Key_Escape, false, XK_Escape},
    {0x20, Qt::Key_Space, false, XK_space},
    {0x21, Qt::Key_PageUp, false, XK_Prior},
    {0x22, Qt::Key_PageDown, false, XK_Next},
    {0x23, Qt::Key_End, false, XK_End},
    {0x24, Qt::Key_Home, false, XK_Home},
    {0x25, Qt::Key_Left, false, XK_Left},
    {0x26, Qt::Key_Up, false, XK_Up},
    {0x27, Qt::Key_Right, false, XK_Right},
    {0x28, Qt::Key_Down, false, XK_Down},
    {0x2C, Qt::Key_Print, false, XK_Print},
    {0x2D, Qt::Key_Insert, false, XK_Insert},
    {0x2E, Qt::Key_Delete, false, XK_Delete},
    {0x2F, Qt::Key_Help, false, XK_Help},
    {0x5D, Qt::Key_Menu, false, XK_Menu},
    {0x6A, Qt::Key_Asterisk, true, XK_KP_Multiply},
    {0x6B, Qt::Key_Plus, true, XK_KP_Add},
    {0x6D, Qt::Key_Minus, true, XK_KP_Subtract},
    {0x6E, Qt::Key_Period, true, XK_KP_Decimal},
    {0x6F, Qt::Key_Slash, true, XK_KP_Divide},
    {0x90, Qt::Key_NumLock, false, XK_Num_Lock},
    {0x91, Qt::Key_ScrollLock, false, XK_Scroll_Lock},
    {0xBA, Qt::Key_Semicolon, false, XK_semicolon},
    {0xBB, Qt::Key_Equal, false, XK_equal},
    {0xBC, Qt::Key_Comma, false, XK_comma},
    {0xBD, Qt::Key_Minus, false, XK_minus},
    {0xBE, Qt::Key_Period, false, XK_period},
    {0xBF, Qt::Key_Slash, false, XK_slash},
    {0xC0, Qt::Key_QuoteLeft, false, XK_grave},
    {0xDB, Qt::Key_BracketLeft, false, XK_bracketleft},
    {0xDC, Qt::Key_Backslash, false, XK_backslash},
    {0xDD, Qt::Key_BracketRight, false, XK_bracketright},
    {0xDE, Qt::Key_Apostrophe, false, XK_apostrophe},
    {0x0D, Qt::Key_Enter, true, XK_KP_Enter},
    {0x0D, Qt::Key_Enter, false, XK_Return},
    {0x2E, Qt::Key_Delete, true, XK_KP_Delete},
};

// The rows of runs of codes: letters, digits, keypad digits, F1 to F24.
struct TKeyRun {
    std::uint8_t FirstVk;
    std::uint8_t LastVk;
    int FirstQtKey;
    bool Keypad;
    std::uint32_t FirstKeySym;
};
constexpr TKeyRun KeyRuns[] = {
    {0x41, 0x5A, Qt::Key_A, false, XK_a},
    {0x30, 0x39, Qt::Key_0, false, XK_0},
    {0x60, 0x69, Qt::Key_0, true, XK_KP_0},
    {0x70, 0x87, Qt::Key_F1, false, XK_F1},
};

bool RowForVk(std::uint8_t vk, TKeyRow& row)
{
    for (const TKeyRun& run : KeyRuns)
        if (vk >= run.FirstVk && vk <= run.LastVk) {
            const int offset = vk - run.FirstVk;
            row = {vk, run.FirstQtKey + offset, run.Keypad, run.FirstKeySym + offset};
            return true;
        }
    // The first row of a code is its own; the later ones only read Qt's other names for it.
    for (const TKeyRow& candidate : KeyRows)
        if (candidate.Vk == vk) {
            row = candidate;
            return true;
        }
    return false;
}

std::uint8_t VkForKey(int qtKey, bool keypad)
{
    for (const TKeyRun& run : KeyRuns) {
        const int offset = qtKey - run.FirstQtKey;
        if (run.Keypad == keypad && offset >= 0 && offset <= run.LastVk - run.FirstVk)
            return static_cast<std::uint8_t>(run.FirstVk + offset);
    }
    for (const TKeyRow& row : KeyRows)
        if (row.QtKey == qtKey && row.Keypad == keypad)
            return row.Vk;
    return 0;
}
} // namespace

QKeyCombination KeyFromShortCut(TShortCut shortcut)
{
    TKeyRow row{};
    if (!RowForVk(ShortCutKey(shortcut), row))
        return QKeyCombination();
    Qt::KeyboardModifiers modifiers;
    if (shortcut & scShift)
        modifiers |= Qt::ShiftModifier;
    if (shortcut & scCtrl)
        modifiers |= Qt::ControlModifier;
    if (shortcut & scAlt)
        modifiers |= Qt::AltModifier;
    if (row.Keypad)
        modifiers |= Qt::KeypadModifier;
    return QKeyCombination(modifiers, static_cast<Qt::Key>(row.QtKey));
}

TShortCut ShortCutFromKey(QKeyCombination key)
{
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    if (modifiers & (Qt::MetaModifier | Qt::GroupSwitchModifier))
        return 0;
    const std::uint8_t vk = VkForKey(key.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (vk == 0)
        return 0;
    TShortCut shortcut = vk;
    if (modifiers & Qt::ShiftModifier)
        shortcut |= scShift;
    if (modifiers & Qt::ControlModifier)
        shortcut |= scCtrl;
    if (modifiers & Qt::AltModifier)
        shortcut |= scAlt;
    return shortcut;
}

QString ShortCutToText(TShortCut shortcut)
{
    const QKeyCombination key = KeyFromShortCut(shortcut);
    if (shortcut == 0 || key.key() == Qt::Key_unknown)
        return {};
    QString text;
    if (shortcut & scShift)
        text += QStringLiteral("Shift+");
    if (shortcut & scCtrl)
        text += QStringLiteral("Ctrl+");
    if (shortcut & scAlt)
        text += QStringLiteral("Alt+");
    const QKeyCombination bare(key.keyboardModifiers() & Qt::KeypadModifier, key.key());
    return text + QKeySequence(bare).toString(QKeySequence::NativeText);
}

std::uint32_t ShortCutKeySym(TShortCut shortcut)
{
    TKeyRow row{};
    return RowForVk(ShortCutKey(shortcut), row) ? row.KeySym : 0;
}

std::uint16_t ShortCutX11Modifiers(TShortCut shortcut, std::uint16_t altMask)
{
    std::uint16_t mask = 0;
    if (shortcut & scShift)
        mask |= X11ShiftMask;
    if (shortcut & scCtrl)
        mask |= X11ControlMask;
    if (shortcut & scAlt)
        mask |= altMask;
    return mask;
}

QList<std::uint16_t> X11LockVariants(std::uint16_t modifiers, std::uint16_t numLockMask)
{
    QList<std::uint16_t> variants{modifiers, static_cast<std::uint16_t>(modifiers | X11LockMask)};
    if (numLockMask != 0 && numLockMask != X11LockMask) {
        variants << static_cast<std::uint16_t>(modifiers | numLockMask)
                 << static_cast<std::uint16_t>(modifiers | numLockMask | X11LockMask);
    }
    return variants;
}

bool X11StateMatches(std::uint16_t state, std::uint16_t modifiers, std::uint16_t numLockMask)
{
    const std::uint16_t ignored = X11LockMask | numLockMask;
    return (state & X11ModifierBits & ~ignored) == modifiers;
}
