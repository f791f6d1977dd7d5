#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>

// Qt's own connection to the X server, or null when the program does not run on X11
// (Wayland, offscreen, no QGuiApplication). The X11 services of this folder use nothing else,
// so that every one of them is simply absent elsewhere.
xcb_connection_t* X11Connection();
// The root window of the default screen of that connection.
xcb_window_t X11RootWindow(xcb_connection_t* connection);

// A reply of xcb, freed with free() as xcb hands it out.
struct TXcbFree {
    void operator()(void* reply) const;
};
template <typename T> using TXcbReply = std::unique_ptr<T, TXcbFree>;

// The reply to a request, or null when the server answered with an error (a window that has
// gone meanwhile). Taking the error here keeps it out of Qt's event queue, which would print
// it as a warning.
template <typename T, typename Cookie>
TXcbReply<T> XcbTake(xcb_connection_t* connection,
                     T* (*takeReply)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                     Cookie cookie)
{
    xcb_generic_error_t* error = nullptr;
    TXcbReply<T> reply(takeReply(connection, cookie, &error));
    TXcbReply<xcb_generic_error_t> dropped(error);
    return reply;
}
