#pragma once

#include "desktop/StickerRules.h"
#include "desktop/SysHotKey.h"

#include <QRect>
#include <QSize>

class QTimer;

// A main window that snaps to the edges of the work area and can be kept inside it
// (StickerRules.h has the rules), and that hears of every change of its layout.
//
// Neither X11 nor Wayland lets a program see a move before it happens or learn when the
// user lets go of a window, so the rules are applied once the window has come to rest:
// every move or resize restarts MoveSizeTimer, and its expiry (MoveSizeTimerTimer) runs
// FitToWorkArea and LayoutChanged. Resizes run LayoutChanged at once as well.
class TFormWithSticker : public TFormWithSysHotkey
{
    Q_OBJECT

public:
    // How long the window must keep still before it counts as at rest.
    static constexpr int MoveSizeRestMs = 250;

    explicit TFormWithSticker(QWidget* parent = nullptr);
    ~TFormWithSticker() override;
    Q_DISABLE_COPY_MOVE(TFormWithSticker)

    bool SnapEnabled() const { return FRules.SnapEnabled; }
    void SetSnapEnabled(bool enabled) { FRules.SnapEnabled = enabled; }
    bool MoveInsideDesktop() const { return FRules.MoveInsideDesktop; }
    void SetMoveInsideDesktop(bool inside) { FRules.MoveInsideDesktop = inside; }
    int SnapThreshold() const { return FRules.SnapThreshold; }
    void SetSnapThreshold(int pixels) { FRules.SnapThreshold = pixels; }

    // The snap and keep-inside rules for the window where it is now: nothing while it is
    // maximized, full-screen, minimized or hidden.
    void FitToWorkArea();
    // The end of a move or resize; public so that tests need not wait for the timer.
    void MoveSizeTimerTimer();

protected:
    virtual void LayoutChanged() = 0;

    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void MovedOrResized();

    TStickerRules FRules;
    QTimer* MoveSizeTimer = nullptr;
    // The outer size when the window last came to rest, which tells a move from a resize.
    QSize FRestingSize;
    // The bounds FitToWorkArea asked for; their arrival is no new move of the user's.
    QRect FRequested;
};
