// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/form1.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

class QScreen;
class QWidget;

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };
enum class ShortcutsChange { None, Install, Remove };

// What the command line asked for.
struct CommandLine
{
    Form1::RunOptions run;
    bool start = false;
    bool globalKeys = true;
    std::optional<Corner> corner;
    int screen = 0;  // 1-based; 0: the primary screen
    QString command; // for the timer already running; nothing else is done
    ShortcutsChange shortcuts = ShortcutsChange::None; // the desktop's; nothing else is done
};

// The program ends at once: with status 0 and the text for standard output (--help,
// --version), or with status 2 and what is wrong with the command line.
struct CommandLineExit
{
    int status = 0;
    QString text;
};

// Reads the arguments (the program's name first) before any display is opened.
std::variant<CommandLine, CommandLineExit> readCommandLine(const QStringList &arguments);

// Puts the window at the design's place on the screen (the primary one when null), or in a
// corner of its available area, 16 px in from the edges.
void placeWindow(QWidget &window, const QScreen *screen, std::optional<Corner> corner);
