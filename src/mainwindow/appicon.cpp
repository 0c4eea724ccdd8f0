// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/appicon.h"

#include <QPainter>

namespace AppIcon {

QImage render(int size)
{
    // The same strokes as assets/moriv.svg, which the desktop uses.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(32, 32, 32));
    painter.drawRoundedRect(QRectF(0, 0, size, size), 3 * s, 3 * s);

    // Two segment-style bars and a colon: a countdown read at a glance.
    painter.setBrush(QColor(255, 0, 0));
    const auto bar = [&](qreal x, qreal y, qreal w, qreal h) {
        painter.drawRoundedRect(QRectF(x * s, y * s, w * s, h * s), 0.6 * s, 0.6 * s);
    };
    bar(2.0, 3.0, 4.0, 1.4);  // top of the left digit
    bar(5.0, 3.5, 1.4, 9.0);  // its right side
    bar(2.0, 11.6, 4.0, 1.4); // its bottom
    bar(7.3, 5.5, 1.4, 1.4);  // colon
    bar(7.3, 9.5, 1.4, 1.4);
    bar(10.0, 3.0, 4.0, 1.4); // right digit, a 7
    bar(12.6, 3.5, 1.4, 9.5);
    painter.end();
    return image;
}

QIcon create()
{
    QIcon icon;
    for (int size : {16, 32, 48, 128})
        icon.addPixmap(QPixmap::fromImage(render(size)));
    return icon;
}

} // namespace AppIcon
