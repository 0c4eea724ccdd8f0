// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

namespace AppIcon {

// The program's icon: red seven-segment digits on a dark rounded square, drawn at 16, 32,
// 48 and 128 pixels.
QIcon create();
QImage render(int size);

} // namespace AppIcon
