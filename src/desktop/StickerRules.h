#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The snap and keep-inside rules of the main window, as pure functions over rectangles.
// Rectangles are the window's outer frame; the work area's right edge is x + width and its
// bottom edge y + height (one past the last pixel). Where two rules of one axis apply, the
// later one (right or bottom) wins.
struct TStickerRules {
    bool SnapEnabled = true;
    bool MoveInsideDesktop = false;
    int SnapThreshold = 5;
};

// Where a window that is asked to go to `proposed` goes: a move (the size is `currentSize`)
// snaps to each edge of the work area within the threshold; with MoveInsideDesktop the
// window is then pushed back inside, whether moved or resized.
QPoint SnapWindowPos(const QRect& proposed, QSize currentSize, const QRect& workArea,
                     const TStickerRules& rules);

// The end of a move or resize of a window that is not maximized: with MoveInsideDesktop it
// is made no larger than the work area; with snapping its size and then its edges that are
// within the threshold of the work area's are made to meet them.
QRect FitRectToWorkArea(const QRect& window, const QRect& workArea, const TStickerRules& rules);

// Where a window that has come to rest at `window` (with `sizeBefore` before the move or
// resize) ends: the move rule at its last position, then the fit; new bounds the fit sets
// go through the move rule again, as every change of bounds does.
QRect SettleWindowRect(const QRect& window, QSize sizeBefore, const QRect& workArea,
                       const TStickerRules& rules);
