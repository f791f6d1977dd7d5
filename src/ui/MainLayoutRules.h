#pragma once

#include <array>

// The limits of the main window's panes, as pure numbers so that they are checked without
// a window.

// The contact pane never takes more than the window's client width minus this.
inline constexpr int MessagesMinWidth = 340;
// A contact pane dragged to this width or less collapses.
inline constexpr int ContactPaneMinWidth = 30;
// The collapsed pane: a strip holding the unhide button.
inline constexpr int CollapsedPaneWidth = 12;

int MaxContactPaneWidth(int clientWidth);
// The editor area never takes more than the integer half of the messages panel.
int MaxEditorAreaHeight(int messagesPanelHeight);

// The contact splitter's rules for one reported step of a drag.
struct TContactPaneState {
    bool Collapsed = false;     // the list is hidden, the unhide strip shown
    bool JustCollapsed = false; // collapsed by the step before
    int Width = 0;
};
// What a splitter step of the pane to `width` leads to: the step right after a collapse
// leaves it collapsed; a later step restores the list, at least ContactPaneMinWidth wide; a
// step to ContactPaneMinWidth or less collapses a shown list.
TContactPaneState ContactSplitterMoved(const TContactPaneState& state, int width);
// sbUnhideCLClick: the list back, at least ContactPaneMinWidth wide.
TContactPaneState RestoreContactPane(const TContactPaneState& state);

// Status bar hints: the panel under x, for panel widths w; a pointer exactly on a boundary
// gives `current` (nothing changes).
int StatusPanelAt(int x, const std::array<int, 5>& widths, int current);
