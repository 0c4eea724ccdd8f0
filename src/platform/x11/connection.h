// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>

// The X connection, under the xcb platform only: another platform's windows (offscreen,
// wayland) are no X windows, even where it has an X connection of its own.
inline xcb_connection_t *x11Connection()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection()
                                                                            : nullptr;
}
