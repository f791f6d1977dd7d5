#pragma once

#include <QPoint>
#include <QRect>

// Where the popup window stands and how it slides, as plain arithmetic over the primary
// screen's rectangle and its work area (the screen less the panels), in desktop coordinates.
// The window applies these; tests check them with rectangles alone.

// The layout the popup was drawn for: the text area starts at (PopupTextLeft, PopupTextTop)
// and the window is PopupWidth wide.
inline constexpr int PopupWidth = 231;
inline constexpr int PopupTextLeft = 8;
inline constexpr int PopupTextTop = 24;
inline constexpr int PopupTextWidth = 218;
inline constexpr int PopupMinTextHeight = 15;
inline constexpr int PopupMaxTextHeight = 180;
// Pixels the window moves per tick of the slide.
inline constexpr int PopupSlideStep = 16;
inline constexpr int PopupMoveIntervalMs = 10;

// The window height for a text of `textHeight` pixels: the height kept to 15..180, plus the
// caption above and the margin below (34 in all).
int PopupHeightForText(int textHeight);

// Just off the right edge of the screen, bottom on the work area's bottom.
QPoint PopupStartPos(const QRect& screen, const QRect& workArea, int height);

// The left edge of the window at rest: flush with the work area's right edge.
int PopupTargetLeft(const QRect& workArea, int width);

// One tick of the slide: the new left edge, and whether the slide has ended (in place when
// appearing, out of sight when leaving).
struct TPopupStep {
    int Left = 0;
    bool Done = false;
    bool operator==(const TPopupStep&) const = default;
};

// Appearing: 16 pixels to the left while still right of the resting place; the last step,
// and the only one without animation, lands exactly on it.
TPopupStep NextAppearStep(int left, int width, const QRect& workArea, bool animated);

// Leaving: 16 pixels to the right until the left edge reaches the screen's right edge;
// without animation the first tick ends it where it stands.
TPopupStep NextLeaveStep(int left, const QRect& screen, bool animated);
