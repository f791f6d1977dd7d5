#include "desktop/X11WindowClass.h"

#include "desktop/X11Connection.h"

#include <QWidget>

void SetX11WindowClass(QWidget& window, const QByteArray& instance, const QByteArray& className)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return;
    // Two strings, each with its terminating zero, as the property is laid out.
    const QByteArray value = instance + '\0' + className + '\0';
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, static_cast<uint32_t>(value.size()), value.constData());
    xcb_flush(connection);
}
