// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace WindowType {

// Marks the window as a notification (_NET_WM_WINDOW_TYPE_NOTIFICATION) whenever its native
// window is made, before it maps. wlroots' XWayland (sway) gives the keyboard to an
// override-redirect window that maps unless its type is one that never takes it (a
// notification, a tooltip, a menu); the slide show must keep it. X11 window managers leave an
// override-redirect window alone whatever its type.
void markAsNotification(QWidget *window);

} // namespace WindowType
