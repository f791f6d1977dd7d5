#include "desktop/WindowUtils.h"

#include "config/Utils.h"
#include "desktop/X11WindowStack.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QRect WorkArea(const QWidget& window)
{
    QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

bool IsWindowMinimizedOrHidden(const QWidget& window)
{
    return !window.isVisible() || window.isMinimized();
}

void CenterOverMainForm(QWidget& dialog, const QWidget& mainForm)
{
    dialog.move(CenterOverMainForm(dialog.frameGeometry().size(), mainForm.frameGeometry(),
                                   WorkArea(mainForm), IsWindowMinimizedOrHidden(mainForm)));
}

bool IsWindowCovered(const QWidget& window)
{
    const bool foreground = window.isActiveWindow();
    const bool minimized = window.isMinimized();
    const bool visible = window.isVisible();
    // Asking for winId() of a window without a native one would make one.
    if (!foreground && visible && !minimized && window.windowHandle()) {
        const TX11WindowStack stack = ReadX11WindowStack(window.winId());
        if (stack.Known)
            return IsWindowCovered(stack.Window, false, stack.WindowMinimized, stack.WindowVisible,
                                   stack.Above);
    }
    return IsWindowCovered(window.frameGeometry(), foreground, minimized, visible, {});
}
