// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace Platform {

// Adjusts the environment before the application object exists (the platform plugin).
void prepareEnvironment();
// From now on the signals that ask a program to end (where the system has them) end the
// event loop, as closing the window does.
void endOnTerminationSignals();
// Whether the process is stopped by a signal (SIGSTOP): it answers nothing until continued.
// False where the system does not tell.
bool isProcessStopped(qint64 pid);
// Where the program has no console of its own (Windows), what it prints goes to the console
// of the program that started it, if any.
void attachParentConsole();

} // namespace Platform
