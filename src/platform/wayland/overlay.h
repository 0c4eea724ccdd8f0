// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windowservices.h"

// A native Wayland window on the compositor's overlay layer (wlr-layer-shell, through
// LayerShellQt): above full-screen windows, never given the keyboard, hit by no click.
namespace WaylandOverlay {

// Whether this session's compositor offers the layer shell (KDE Plasma 6, sway and the other
// wlroots desktops do; GNOME and weston do not). Asked before the application object exists,
// on a connection of its own.
bool isOffered();
std::unique_ptr<WindowServices> createWindowServices();

} // namespace WaylandOverlay
