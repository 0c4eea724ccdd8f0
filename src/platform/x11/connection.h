// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QGuiApplication>
#include <QList>

#include <xcb/xcb.h>

#include <cstdlib>

// The X connection, under the xcb platform only: another platform's windows (offscreen,
// wayland) are no X windows, even where it has an X connection of its own.
inline xcb_connection_t *x11Connection()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection()
                                                                            : nullptr;
}

// The atom of that name, or XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t internAtom(xcb_connection_t *connection, const QByteArray &name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// Every X screen's root window: grabs and stacking are per root.
inline QList<xcb_window_t> x11Roots(xcb_connection_t *connection)
{
    QList<xcb_window_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it))
        roots.append(it.data->root);
    return roots;
}
