#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

// Watches an X display for a window of a given process to become viewable: mapped, with
// every window above it mapped too (the window manager's frame included), which is when the
// user sees it. Woken by the server's map, create and reparent notices, never by polling.
class TWindowWatch final
{
public:
    explicit TWindowWatch(const QByteArray& display);
    ~TWindowWatch();
    TWindowWatch(const TWindowWatch&) = delete;
    TWindowWatch& operator=(const TWindowWatch&) = delete;

    bool IsOpen() const { return !xcb_connection_has_error(FConnection); }
    // Waits until a window whose _NET_WM_PID is pid is viewable; false at the deadline.
    bool WaitForViewable(qint64 pid, int timeoutMs);

private:
    // Walks the windows below `window`, `depth` levels deep, asking for their notices on the
    // way; whether one of pid's windows is viewable.
    bool FindViewable(xcb_window_t window, qint64 pid, int depth);
    qint64 WindowPid(xcb_window_t window);

    xcb_connection_t* FConnection;
    xcb_window_t FRoot = XCB_WINDOW_NONE;
    xcb_atom_t FPidAtom = XCB_ATOM_NONE;
};
