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
    // At zero the count goes on past it, shown with a minus sign, instead of ending.
    bool overtime = false;
    // This run counts to this moment of the wall clock (milliseconds since 1970, UTC) from
    // whenever Start is pressed; the settings file is neither read for the minutes nor written.
    std::optional<qint64> until;
};
