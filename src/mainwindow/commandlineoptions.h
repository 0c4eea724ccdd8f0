// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/runoptions.h"

#include <QString>

#include <optional>

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };
enum class ShortcutsChange { None, Install, Remove };

// What the command line asked for.
struct CommandLine
{
    RunOptions run;
    bool start = false;
    bool startWithShow = false; // when a window goes full screen
    bool globalKeys = true;
    bool phases = false; // colours by how near the end the count is, and a flash at zero
    bool sound = false;  // a chime at zero
    std::optional<quint16> remote;           // the HTTP remote control, on this port
    std::optional<QString> remoteAddress;    // where it listens, instead of the loopback
    std::optional<Corner> corner;
    int screen = 0;  // 1-based; 0: the primary screen
    QString command; // for the timer already running; nothing else is done
    ShortcutsChange shortcuts = ShortcutsChange::None; // the desktop's; nothing else is done
    // The choices the command line made for this run, over the stored ones.
    struct Given
    {
        bool overtime = false;
        bool startWithShow = false;
        bool warn = false;
        bool place = false; // --corner
        bool size = false;  // --scale
        bool screen = false;
        bool phases = false;
        bool sound = false;
        bool remote = false;
    } given;
};

// The program ends at once: with status 0 and the text for standard output (--help,
// --version), or with status 2 and what is wrong with the command line.
struct CommandLineExit
{
    int status = 0;
    QString text;
};
