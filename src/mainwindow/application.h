// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds the application, its services and the timer window, and runs the program.
int runApplication(int &argc, char **argv);
