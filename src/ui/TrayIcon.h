#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QMenu;
class QSystemTrayIcon;
class QWidget;

// AppTrayIcon with TrayMenu: the chat's place next to the clock. The icon itself only
// reports clicks; hiding and showing the window is the main window's toggle. While a
// message waits unseen it blinks, one picture every 500 ms.
class TTrayIcon final : public QObject
{
    Q_OBJECT
public:
    // The menu belongs to window, so that the window's captions and commands reach its items.
    explicit TTrayIcon(QWidget& window);

    // A left click on the icon or "Show/Hide Zelkit Chat".
    std::function<void()> OnToggle;

    QMenu& TrayMenu() { return *FMenu; }
    // Shown exactly while show_tray_icon is on, where the desktop has a tray.
    void SetShown(bool shown);
    bool IsShown() const;
    static bool IsAvailable();

    void StartAnimation();
    void StopAnimation();
    bool IsAnimating() const { return FBlink.isActive(); }

private:
    void Step();

    QSystemTrayIcon* FIcon = nullptr;
    QMenu* FMenu = nullptr;
    QTimer FBlink;
    int FFrame = 0;
};
