#include "ui/MainLayoutRules.h"

#include <algorithm>

int MaxContactPaneWidth(int clientWidth)
{
    return std::max(0, clientWidth - MessagesMinWidth);
}

int MaxEditorAreaHeight(int messagesPanelHeight)
{
    return messagesPanelHeight / 2;
}

TContactPaneState ContactSplitterMoved(const TContactPaneState& state, int width)
{
    if (state.Collapsed && !state.JustCollapsed)
        return RestoreContactPane({state.Collapsed, state.JustCollapsed, width});
    TContactPaneState next = state;
    next.JustCollapsed = false;
    next.Width = width;
    if (width <= ContactPaneMinWidth && !state.Collapsed) {
        next.Collapsed = true;
        next.JustCollapsed = true;
        next.Width = CollapsedPaneWidth;
    }
    if (state.Collapsed)
        next.Width = CollapsedPaneWidth;
    return next;
}

TContactPaneState RestoreContactPane(const TContactPaneState& state)
{
    TContactPaneState next;
    next.Width = std::max(state.Width, ContactPaneMinWidth);
    return next;
}

int StatusPanelAt(int x, const std::array<int, 5>& widths, int current)
{
    int edge = 0;
    for (int panel = 0; panel < 4; ++panel) {
        const int next = edge + widths[panel];
        if (panel == 0 ? x < next : (x > edge && x < next))
            return panel;
        if (x == next)
            return current;
        edge = next;
    }
    return x > edge ? 4 : current;
}
