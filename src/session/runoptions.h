// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What one run was asked for on the command line.
struct RunOptions
{
    // This run counts these minutes; the settings file is neither read for them nor written.
    std::optional<QString> minutes;
    // The colon blinks while the count runs with at most this many minutes left; 0 never.
    int warnMinutes = 1;
    // The whole window, places, sizes and digits, drawn this many times larger.
    double scale = 1;
};
