#include "desktop/X11Connection.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

#include <cstdlib>

xcb_connection_t* X11Connection()
{
    // A program without a display may well run a QCoreApplication only.
    const auto* app = qobject_cast<const QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t X11RootWindow(xcb_connection_t* connection)
{
    // Qt opened the display named by $DISPLAY (or -display); its default screen is the one
    // Qt shows our windows on.
    int screenNumber = 0;
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        if (Display* display = x11->display())
            screenNumber = DefaultScreen(display);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

void TXcbFree::operator()(void* reply) const
{
    std::free(reply);
}
