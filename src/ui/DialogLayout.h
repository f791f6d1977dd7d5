#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// What the dialogs share when they lay themselves out in code. Sizes are device-independent
// pixels; Qt's scaling turns them into device pixels, so a screen reads as 96 dots per inch
// unless scaling is switched off on a denser one.

bool IsDefaultDpi(int logicalDpiX);
// 104 x 28 at 96 dots per inch, else 130 x 35.
QSize DialogButtonSize(bool defaultDpi);

// The spacing rules of the dialogs on rectangles: the grid is 16 across and 4 down.
// width := container width - left - 16
void StretchToRightMargin(QRect& control, int containerWidth);
// left := n * 16
void SetGridLeft(QRect& control, int n);
// top := bottom of upper + n * 4
void PlaceBelow(const QRect& upper, QRect& control, int n);
// centred vertically on the label (division towards zero)
void CenterOnLabel(const QRect& label, QRect& control);
// button left := right edge of control + n * 4
void PlaceRightOf(const QRect& control, QRect& button, int n);
// A square button as high as the edit, level with it and 16 from the container's right edge;
// the edit ends 4 before it.
void AttachBrowseButton(QRect& edit, QRect& button, int containerWidth);

// Enables or disables a spin edit (or a drop-down, or an edit) and gives it the background
// that says so: the window colour while enabled, the button face while disabled.
void SetSpinEnabled(QWidget& spin, bool enabled);
