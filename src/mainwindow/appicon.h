#pragma once

#include <QIcon>

namespace AppIcon {

// The program's icon: red seven-segment digits on a dark rounded square, drawn at 16, 32,
// 48 and 128 pixels.
QIcon create();
QPixmap render(int size);

} // namespace AppIcon
