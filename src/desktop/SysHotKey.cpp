#include "desktop/SysHotKey.h"

TFormWithSysHotkey::TFormWithSysHotkey(QWidget* parent) : QMainWindow(parent)
{
    FGrab.SetOnPressed([this] {
        if (FHotKey != 0)
            HotKeyPressed();
    });
}

TFormWithSysHotkey::~TFormWithSysHotkey() = default;

bool TFormWithSysHotkey::SetSysHotKey(TShortCut shortcut)
{
    FGrab.Unregister();
    FHotKey = shortcut;
    return shortcut != 0 && FGrab.Register(shortcut);
}
