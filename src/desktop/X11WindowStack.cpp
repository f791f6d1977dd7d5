#include "desktop/X11WindowStack.h"

#include "desktop/X11Connection.h"

#include <array>

namespace {
constexpr std::uint32_t AllDesktops = 0xFFFFFFFF;
// More clients than any desktop shows; the list is read in one request.
constexpr std::uint32_t MaxClients = 4096;

enum TAtom { aStacking, aFrameExtents, aState, aStateHidden, aDesktop, aCurrentDesktop, aCount };
constexpr std::array<const char*, aCount> AtomNames{
    "_NET_CLIENT_LIST_STACKING", "_NET_FRAME_EXTENTS", "_NET_WM_STATE",
    "_NET_WM_STATE_HIDDEN",      "_NET_WM_DESKTOP",    "_NET_CURRENT_DESKTOP"};

using TAtoms = std::array<xcb_atom_t, aCount>;

TAtoms InternAtoms(xcb_connection_t* connection)
{
    std::array<xcb_intern_atom_cookie_t, aCount> cookies{};
    for (int i = 0; i < aCount; ++i)
        cookies[i] = xcb_intern_atom(
            connection, 0, static_cast<std::uint16_t>(qstrlen(AtomNames[i])), AtomNames[i]);
    TAtoms atoms{};
    for (int i = 0; i < aCount; ++i) {
        const auto reply = XcbTake(connection, xcb_intern_atom_reply, cookies[i]);
        atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
    return atoms;
}

xcb_get_property_cookie_t AskProperty(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property, xcb_atom_t type, std::uint32_t count)
{
    return xcb_get_property(connection, 0, window, property, type, 0, count);
}

// The 32-bit items of a property reply of the asked type; empty when it is absent.
QList<std::uint32_t> Items32(xcb_connection_t* connection, xcb_get_property_cookie_t cookie)
{
    const auto reply = XcbTake(connection, xcb_get_property_reply, cookie);
    QList<std::uint32_t> items;
    if (!reply || reply->format != 32)
        return items;
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        items << data[i];
    return items;
}

std::optional<std::uint32_t> First(const QList<std::uint32_t>& items)
{
    return items.isEmpty() ? std::nullopt : std::optional<std::uint32_t>(items.first());
}

// The requests about one client, sent together and answered together, so that reading a
// whole desktop costs one round trip rather than six per window.
struct TClientQuery {
    xcb_get_window_attributes_cookie_t Attributes;
    xcb_get_geometry_cookie_t Geometry;
    xcb_translate_coordinates_cookie_t Origin;
    xcb_get_property_cookie_t Extents;
    xcb_get_property_cookie_t State;
    xcb_get_property_cookie_t Desktop;
};

TClientQuery AskClient(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                       const TAtoms& atoms)
{
    return {xcb_get_window_attributes(connection, window),
            xcb_get_geometry(connection, window),
            xcb_translate_coordinates(connection, window, root, 0, 0),
            AskProperty(connection, window, atoms[aFrameExtents], XCB_ATOM_CARDINAL, 4),
            AskProperty(connection, window, atoms[aState], XCB_ATOM_ATOM, 64),
            AskProperty(connection, window, atoms[aDesktop], XCB_ATOM_CARDINAL, 1)};
}

// A client that has gone meanwhile comes back invisible.
TStackedWindow TakeClient(xcb_connection_t* connection, const TClientQuery& query,
                          const TAtoms& atoms, std::optional<std::uint32_t> currentDesktop)
{
    const auto attributes = XcbTake(connection, xcb_get_window_attributes_reply, query.Attributes);
    const auto geometry = XcbTake(connection, xcb_get_geometry_reply, query.Geometry);
    const auto origin = XcbTake(connection, xcb_translate_coordinates_reply, query.Origin);
    const QList<std::uint32_t> extents = Items32(connection, query.Extents);
    const QList<std::uint32_t> state = Items32(connection, query.State);
    const std::optional<std::uint32_t> desktop = First(Items32(connection, query.Desktop));

    TStackedWindow client;
    if (!attributes || !geometry || !origin) {
        client.Visible = false;
        return client;
    }
    const QRect own(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    client.Rect = FrameRect(own, extents);
    client.Visible =
        ClientShown(attributes->map_state == XCB_MAP_STATE_VIEWABLE, desktop, currentDesktop);
    client.Minimized = state.contains(atoms[aStateHidden]);
    return client;
}
} // namespace

QList<std::uint32_t> StackedAbove(const QList<std::uint32_t>& bottomToTop, std::uint32_t window)
{
    QList<std::uint32_t> above;
    const qsizetype position = bottomToTop.indexOf(window);
    if (position < 0)
        return above;
    for (qsizetype i = bottomToTop.size() - 1; i > position; --i)
        above << bottomToTop[i];
    return above;
}

QRect FrameRect(const QRect& client, const QList<std::uint32_t>& extents)
{
    if (extents.size() != 4)
        return client;
    const int left = static_cast<int>(extents[0]);
    const int right = static_cast<int>(extents[1]);
    const int top = static_cast<int>(extents[2]);
    const int bottom = static_cast<int>(extents[3]);
    return client.adjusted(-left, -top, right, bottom);
}

bool ClientShown(bool viewable, std::optional<std::uint32_t> desktop,
                 std::optional<std::uint32_t> current)
{
    if (!viewable)
        return false;
    return !desktop || !current || *desktop == AllDesktops || *desktop == *current;
}

TX11WindowStack ReadX11WindowStack(quintptr window)
{
    TX11WindowStack stack;
    xcb_connection_t* connection = X11Connection();
    if (!connection || window == 0)
        return stack;
    const xcb_window_t root = X11RootWindow(connection);
    const TAtoms atoms = InternAtoms(connection);
    const auto own = static_cast<std::uint32_t>(window);
    const QList<std::uint32_t> clients = Items32(
        connection, AskProperty(connection, root, atoms[aStacking], XCB_ATOM_WINDOW, MaxClients));
    if (!clients.contains(own))
        return stack;
    const std::optional<std::uint32_t> currentDesktop = First(Items32(
        connection, AskProperty(connection, root, atoms[aCurrentDesktop], XCB_ATOM_CARDINAL, 1)));

    const QList<std::uint32_t> above = StackedAbove(clients, own);
    const TClientQuery ownQuery = AskClient(connection, root, own, atoms);
    QList<TClientQuery> queries;
    for (const std::uint32_t client : above)
        queries << AskClient(connection, root, client, atoms);

    const TStackedWindow self = TakeClient(connection, ownQuery, atoms, currentDesktop);
    stack.Known = true;
    stack.Window = self.Rect;
    stack.WindowVisible = self.Visible;
    stack.WindowMinimized = self.Minimized;
    for (const TClientQuery& query : queries)
        stack.Above << TakeClient(connection, query, atoms, currentDesktop);
    return stack;
}
