// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <xcb/xcb.h>

class QWidget;

namespace FullScreen {

// Whether the window that has the keyboard, when it is none of the timer's own, shows full
// screen on the timer's screen: the window manager's active window (or, without one, the X
// focus), full screen or as large as the screen, covering the timer's screen.
bool isShowOn(xcb_connection_t *connection, QWidget *timer);

// What decides it, read off the window.
struct Candidate
{
    bool ours = false;
    // The desktop's own: its icons and wallpaper (_NET_WM_WINDOW_TYPE_DESKTOP), a panel
    // (_DOCK). They are as large as the screen, or sit on top of it, without being a show.
    bool desktop = false;
    QRect place; // on the root window, in device pixels
};
bool isShow(const Candidate &window, const QRect &timerScreen);

} // namespace FullScreen
