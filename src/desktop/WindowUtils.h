#pragma once

#include <QRect>

class QWidget;

// The window tests and placement helpers that need a real window; their rules are the pure
// functions of config/Utils.h.

// The work area (the screen less the panels) of the screen the window is on, the primary
// screen's for a window not placed yet. Empty without a screen.
QRect WorkArea(const QWidget& window);

// Hidden, or minimized (to the task bar or to the tray).
bool IsWindowMinimizedOrHidden(const QWidget& window);

// Puts the dialog centred over the main window, or centred in the work area when it would
// then stick out of it or the main window is minimized or hidden.
void CenterOverMainForm(QWidget& dialog, const QWidget& mainForm);

// Whether the window is out of the user's sight: not when it is the active window; always
// when it is minimized, hidden or on another virtual desktop; otherwise when a visible window
// above it overlaps it by 20 x 20 pixels or more. Only X11 tells us what lies above a window;
// elsewhere nothing does, and a shown window that is not active counts as in sight.
bool IsWindowCovered(const QWidget& window);
