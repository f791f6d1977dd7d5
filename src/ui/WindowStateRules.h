#pragma once

// The rules of the window's states, as pure decisions: what a close, a minimize and the
// show-or-hide toggle lead to under the settings.

enum class TWindowCommand { Minimize, Restore, Maximize, Close };

// The close command of the title bar: a minimize while minimize_on_close is on.
TWindowCommand CloseCommand(bool minimizeOnClose);

// The show-or-hide toggle: a chat out of sight (covered, minimized or hidden) comes back as
// it was (maximized or not), one in plain view is minimized.
TWindowCommand ToggleCommand(bool covered, bool wasMaximized);

// A minimize hides the chat in the tray (no task-bar button) only where a tray icon is
// there to bring it back: show_tray_icon and no_button_on_taskbar on, and a system tray on
// the desktop at all.
bool MinimizeHidesInTray(bool showTrayIcon, bool noButtonOnTaskbar, bool trayAvailable);

// The page a toggle names: 5000 the conference page (0), 10000 the private page (1), -1 none.
int ToggledPage(int x);
