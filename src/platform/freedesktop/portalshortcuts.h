// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/globalshortcuts.h"

// The desktop's own global shortcuts through the GlobalShortcuts portal
// (org.freedesktop.portal.GlobalShortcuts): on a Wayland session X key grabs reach the timer only
// while an X window has the keyboard, never while a Wayland slide show has it.
namespace PortalShortcuts {

// Binds the commands' shortcuts in a portal session of its own, closed when it is destroyed.
// Until the desktop has bound them (it may ask the user first), and for good where it has no
// such portal or refuses, the fallback's shortcuts (X key grabs) serve; a missing portal or a
// refusal is reported on standard error when the answer comes. withoutPortal says, for those
// lines, where Ctrl+Alt reaches the timer without the portal ("Ctrl+Alt reaches the timer only
// while an X window has the keyboard").
std::unique_ptr<GlobalShortcuts> create(std::unique_ptr<GlobalShortcuts> fallback,
                                        const QString &withoutPortal);

} // namespace PortalShortcuts
