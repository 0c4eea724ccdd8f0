// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/globalshortcuts.h"
#include "platform/process.h"
#include "platform/windowservices.h"

// The X11 parts that the session's composition (freedesktop/session.cpp) puts together.
namespace X11 {

// Before the application object exists: plain requests rather than shared-memory painting.
void prepareEnvironment();
std::unique_ptr<WindowServices> createWindowServices();
// Passive key grabs on every root window.
std::unique_ptr<GlobalShortcuts> createGlobalShortcuts();

} // namespace X11
