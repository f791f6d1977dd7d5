#pragma once

#include "config/Utils.h"

#include <QList>
#include <QRect>
#include <QtGlobal>

#include <cstdint>
#include <optional>

// What the X11 window manager tells about one of our top-level windows and the ones above
// it: their outer frames in root coordinates, read from _NET_CLIENT_LIST_STACKING,
// _NET_FRAME_EXTENTS, _NET_WM_STATE and _NET_WM_DESKTOP. A window on another virtual desktop
// counts as invisible, a hidden (iconified) one as minimized.
struct TX11WindowStack {
    // False off X11, without a window manager that keeps the list, or when the window is not
    // in it (not mapped yet); the rest is then empty.
    bool Known = false;
    QRect Window;
    bool WindowVisible = false;
    bool WindowMinimized = false;
    // Nearest first.
    QList<TStackedWindow> Above;
};

// Reads the stack for the X11 window `window` (a QWidget's winId()).
TX11WindowStack ReadX11WindowStack(quintptr window);

// The windows above `window` in a stacking list given bottom to top, nearest first; empty
// when it is the topmost or not in the list.
QList<std::uint32_t> StackedAbove(const QList<std::uint32_t>& bottomToTop, std::uint32_t window);
// The outer frame of a client window from its own rectangle and _NET_FRAME_EXTENTS (left,
// right, top, bottom); without the four numbers the client rectangle itself.
QRect FrameRect(const QRect& client, const QList<std::uint32_t>& extents);
// Whether a mapped client can be seen: it is viewable and on the current desktop, on all of
// them (0xFFFFFFFF), or the manager names no desktop (`desktop` or `current` absent).
bool ClientShown(bool viewable, std::optional<std::uint32_t> desktop,
                 std::optional<std::uint32_t> current);
