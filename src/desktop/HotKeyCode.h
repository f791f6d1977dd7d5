#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>

#include <cstdint>

// The shortcut word of setting hot_key: the Windows virtual-key code in the low byte, and
// the modifiers 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 0 means no shortcut.
using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

inline constexpr std::uint8_t ShortCutKey(TShortCut shortcut)
{
    return static_cast<std::uint8_t>(shortcut & 0xFF);
}

// The Qt key and modifiers of a shortcut word; an empty combination for 0 or for a
// virtual-key code we have no key for.
QKeyCombination KeyFromShortCut(TShortCut shortcut);
// The shortcut word of a key the user pressed (a hot-key field); 0 when the key has no
// virtual-key code here or the combination holds a modifier the word cannot carry (Meta).
// Keypad keys carry Qt::KeypadModifier.
TShortCut ShortCutFromKey(QKeyCombination key);
// The status-bar text of a shortcut: "Shift+", "Ctrl+", "Alt+" in that order, then the
// key's name ("Shift+Ctrl+Z" for the default); empty for 0.
QString ShortCutToText(TShortCut shortcut);

// X11: the keysym of the shortcut's key (0 when it has none).
std::uint32_t ShortCutKeySym(TShortCut shortcut);
// X11: the core modifier mask of the shortcut's modifiers, Alt being `altMask` (Mod1 on
// almost every keyboard map).
std::uint16_t ShortCutX11Modifiers(TShortCut shortcut, std::uint16_t altMask);
// X11: the masks a passive grab needs so that the key also works with Caps Lock or Num Lock
// on: `modifiers` alone and with every combination of the two lock masks.
QList<std::uint16_t> X11LockVariants(std::uint16_t modifiers, std::uint16_t numLockMask);
// X11: whether the modifier state of a key press is `modifiers`, the locks aside.
bool X11StateMatches(std::uint16_t state, std::uint16_t modifiers, std::uint16_t numLockMask);
