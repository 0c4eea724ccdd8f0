// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/commandlineoptions.h"

#include <QStringList>

#include <variant>

// Reads the arguments (the program's name first) before any display is opened.
std::variant<CommandLine, CommandLineExit> readCommandLine(const QStringList &arguments);
