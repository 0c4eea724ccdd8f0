// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

namespace AppIcon {

// What the tray's icon says at a glance, beside the digits every icon has.
enum class Mark {
    None,    // ready: the program's icon as it is
    Counting, // a green triangle, as on a play button
    Paused,  // two white bars
    Over,    // past zero: the square turns red and the digits white
};

// The program's icon: red seven-segment digits on a dark rounded square, drawn for each size
// the desktops ask for (16, 22, 24, 32, 48, 64, 128), every stroke on whole pixels so that
// it stays sharp at the panel's sizes.
QIcon create(Mark mark = Mark::None);
QImage render(int size, Mark mark = Mark::None);

} // namespace AppIcon
