#include "ui/WindowStateRules.h"

TWindowCommand CloseCommand(bool minimizeOnClose)
{
    return minimizeOnClose ? TWindowCommand::Minimize : TWindowCommand::Close;
}

TWindowCommand ToggleCommand(bool covered, bool wasMaximized)
{
    if (!covered)
        return TWindowCommand::Minimize;
    return wasMaximized ? TWindowCommand::Maximize : TWindowCommand::Restore;
}

bool MinimizeHidesInTray(bool showTrayIcon, bool noButtonOnTaskbar, bool trayAvailable)
{
    return showTrayIcon && noButtonOnTaskbar && trayAvailable;
}

int ToggledPage(int x)
{
    return x == 5000 ? 0 : x == 10000 ? 1 : -1;
}
