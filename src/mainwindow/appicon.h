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

inline constexpr int sizes[] = {16, 22, 24, 32, 48, 64, 128};

// The program's icon: red seven-segment digits on a dark rounded square, drawn for each of the
// sizes, every stroke on whole pixels so that it stays sharp at the panel's sizes. Where the
// package installed the same pictures in the icon theme it is the theme's icon of that name,
// which a panel loads at the size it draws instead of shrinking the largest.
QIcon create(Mark mark = Mark::None);
QImage render(int size, Mark mark = Mark::None);
// The icon's name in the theme: moriv, moriv-counting, moriv-paused, moriv-over.
QString name(Mark mark);

} // namespace AppIcon
