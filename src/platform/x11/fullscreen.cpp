// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/fullscreen.h"

#include "platform/x11/connection.h"
#include "platform/windowservices.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

template<typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template<typename Reply>
Owned<Reply> own(Reply *reply)
{
    return Owned<Reply>(reply, &std::free);
}

xcb_window_t activeWindow(xcb_connection_t *connection, xcb_window_t root)
{
    const auto active = own(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, internAtom(connection, "_NET_ACTIVE_WINDOW"),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (active && xcb_get_property_value_length(active.get()) == 4)
        return *static_cast<xcb_window_t *>(xcb_get_property_value(active.get()));
    const auto focus = own(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return focus ? focus->focus : xcb_window_t(XCB_NONE);
}

// Whether the window's type is one of the desktop's own (its icons, a panel).
bool isDesktopsOwn(xcb_connection_t *connection, xcb_window_t window)
{
    const auto types = own(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, internAtom(connection, "_NET_WM_WINDOW_TYPE"),
                         XCB_ATOM_ATOM, 0, 32),
        nullptr));
    if (!types)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(types.get()));
    const int count = xcb_get_property_value_length(types.get()) / 4;
    for (const char *name : {"_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_WM_WINDOW_TYPE_DOCK"}) {
        const xcb_atom_t type = internAtom(connection, name);
        if (type != XCB_ATOM_NONE && std::find(atoms, atoms + count, type) != atoms + count)
            return true;
    }
    return false;
}

} // namespace

namespace FullScreen {

bool isShowOn(xcb_connection_t *connection, QWidget *timer)
{
    const auto own = static_cast<xcb_window_t>(timer->winId());
    const auto geometry = ::own(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, own), nullptr));
    if (!geometry)
        return false;
    const xcb_window_t window = activeWindow(connection, geometry->root);
    if (window <= XCB_INPUT_FOCUS_POINTER_ROOT || window == geometry->root)
        return false;
    Candidate candidate;
    candidate.ours = WindowServices::isOwnWindow(window);
    candidate.desktop = !candidate.ours && isDesktopsOwn(connection, window);
    // Full screen or not in the window manager's eyes, a show covers the screen it is on; one
    // full screen on another monitor of the same X screen does not cover the timer's.
    const auto size = ::own(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    const auto place = ::own(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, geometry->root, 0, 0),
        nullptr));
    if (!size || !place || !timer->screen())
        return false;
    candidate.place = QRect(place->dst_x, place->dst_y, size->width, size->height);
    const QScreen *screen = timer->screen();
    return isShow(candidate, QRect(screen->geometry().topLeft() * screen->devicePixelRatio(),
                                   screen->geometry().size() * screen->devicePixelRatio()));
}

bool isShow(const Candidate &window, const QRect &timerScreen)
{
    return !window.ours && !window.desktop && window.place.contains(timerScreen);
}

} // namespace FullScreen
