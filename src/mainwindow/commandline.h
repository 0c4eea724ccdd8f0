// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/commandlineoptions.h"

#include <QDateTime>
#include <QStringList>
#include <QTime>

#include <optional>

#include <variant>

// The next moment the wall clock reads AT (local time), within a day of NOW, in milliseconds
// since 1970; none when that is under a minute away.
std::optional<qint64> deadlineOf(QTime at, const QDateTime &now);

// Reads the arguments (the program's name first) before any display is opened.
std::variant<CommandLine, CommandLineExit> readCommandLine(const QStringList &arguments);
