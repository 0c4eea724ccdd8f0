// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

class QWidget;

namespace FullScreen {

// Whether the window that has the keyboard, when it is none of the timer's own, shows full
// screen on the timer's screen: the window manager's active window (or, without one, the X
// focus) in the _NET_WM_STATE_FULLSCREEN state or covering the whole screen.
bool isShowOn(xcb_connection_t *connection, QWidget *timer);

} // namespace FullScreen
