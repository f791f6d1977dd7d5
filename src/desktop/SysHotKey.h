#pragma once

#include "desktop/GlobalHotKey.h"
#include "desktop/HotKeyCode.h"

#include <QMainWindow>

// A main window that owns one system-wide hot key (setting hot_key) and hears it through
// HotKeyPressed, whichever program has the focus.
class TFormWithSysHotkey : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormWithSysHotkey(QWidget* parent = nullptr);
    ~TFormWithSysHotkey() override;
    Q_DISABLE_COPY_MOVE(TFormWithSysHotkey)

    // Makes the shortcut the window's hot key in place of the one before; 0 leaves none. The
    // shortcut is kept as the current one even when the system refuses it (another program
    // holds it, or the platform has no global shortcuts): the result says whether it works,
    // and nothing else reports the refusal.
    bool SetSysHotKey(TShortCut shortcut);
    // The current shortcut, 0 for none.
    TShortCut SysHotKey() const { return FHotKey; }
    // Whether the current shortcut reaches HotKeyPressed.
    bool IsSysHotKeyWorking() const { return FGrab.IsRegistered(); }

protected:
    virtual void HotKeyPressed() = 0;

private:
    TGlobalHotKey FGrab;
    TShortCut FHotKey = 0;
};
