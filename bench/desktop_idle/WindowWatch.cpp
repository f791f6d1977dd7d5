#include "WindowWatch.h"

#include <QDeadlineTimer>

#include <cstdlib>
#include <cstring>
#include <poll.h>

namespace {
// Root, frame, client: a window manager's frame may hold the client one level further down.
constexpr int TreeDepth = 3;
} // namespace

TWindowWatch::TWindowWatch(const QByteArray& display)
    : FConnection(xcb_connect(display.constData(), nullptr))
{
    if (!IsOpen())
        return;
    FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    const char name[] = "_NET_WM_PID";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        FConnection, xcb_intern_atom(FConnection, 0, std::strlen(name), name), nullptr);
    if (atom)
        FPidAtom = atom->atom;
    std::free(atom);
}

TWindowWatch::~TWindowWatch()
{
    xcb_disconnect(FConnection);
}

qint64 TWindowWatch::WindowPid(xcb_window_t window)
{
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        FConnection, xcb_get_property(FConnection, 0, window, FPidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    qint64 pid = -1;
    if (property && xcb_get_property_value_length(property) == 4)
        pid = *static_cast<const quint32*>(xcb_get_property_value(property));
    std::free(property);
    return pid;
}

bool TWindowWatch::FindViewable(xcb_window_t window, qint64 pid, int depth)
{
    // Map notices of the children come to a window with SubstructureNotify; those of the
    // window itself with StructureNotify.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(FConnection, window, XCB_CW_EVENT_MASK, &mask);
    if (window != FRoot && WindowPid(window) == pid) {
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            FConnection, xcb_get_window_attributes(FConnection, window), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        if (viewable)
            return true;
    }
    if (depth == 0)
        return false;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, window), nullptr);
    bool found = false;
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; !found && i < xcb_query_tree_children_length(tree); ++i)
            found = FindViewable(children[i], pid, depth - 1);
    }
    std::free(tree);
    return found;
}

bool TWindowWatch::WaitForViewable(qint64 pid, int timeoutMs)
{
    if (!IsOpen() || FPidAtom == XCB_ATOM_NONE)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (FindViewable(FRoot, pid, TreeDepth))
            return true;
        // The walk's replies may have brought notices along, which the socket no longer
        // shows; only when none is queued is there anything to wait for.
        bool noticed = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(FConnection)) {
            noticed = true;
            std::free(event);
        }
        if (noticed)
            continue;
        pollfd wait{xcb_get_file_descriptor(FConnection), POLLIN, 0};
        const int remaining = static_cast<int>(deadline.remainingTime());
        if (remaining == 0 || ::poll(&wait, 1, remaining) <= 0 ||
            xcb_connection_has_error(FConnection))
            return false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(FConnection))
            std::free(event);
    }
}
