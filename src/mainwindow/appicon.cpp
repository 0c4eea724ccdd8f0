// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/appicon.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace AppIcon {

QImage render(int size, Mark mark)
{
    // The same strokes as assets/moriv.svg, which the desktop uses, on a 16-unit grid; each
    // bar's edges are rounded to whole pixels at this size, so no bar is drawn soft.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const qreal s = size / 16.0;
    const auto pixels = [s](qreal x, qreal y, qreal w, qreal h) {
        const int left = qRound(x * s);
        const int top = qRound(y * s);
        return QRect(left, top, std::max(1, qRound((x + w) * s) - left),
                     std::max(1, qRound((y + h) * s) - top));
    };
    const bool over = mark == Mark::Over;
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(over ? QColor(220, 0, 0) : QColor(32, 32, 32));
    painter.drawRoundedRect(QRectF(0, 0, size, size), 3 * s, 3 * s);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Two segment-style bars and a colon: a countdown read at a glance.
    painter.setBrush(over ? QColor(255, 255, 255) : QColor(255, 0, 0));
    const auto bar = [&](qreal x, qreal y, qreal w, qreal h) {
        painter.drawRect(pixels(x, y, w, h));
    };
    bar(2.0, 3.0, 4.0, 1.4);  // top of the left digit
    bar(5.0, 3.5, 1.4, 9.0);  // its right side
    bar(2.0, 11.6, 4.0, 1.4); // its bottom
    bar(7.3, 5.5, 1.4, 1.4);  // colon
    bar(7.3, 9.5, 1.4, 1.4);
    bar(10.0, 3.0, 4.0, 1.4); // right digit, a 7
    bar(12.6, 3.5, 1.4, 9.5);

    // The mark, a badge in the lower right corner over the 7's foot, on a ground of its own.
    if (mark == Mark::Counting || mark == Mark::Paused) {
        const QRect ground = pixels(9.0, 9.0, 7.0, 7.0);
        painter.setBrush(QColor(32, 32, 32));
        painter.drawRect(ground);
        const QRect inner = pixels(10.0, 10.0, 5.0, 5.0);
        if (mark == Mark::Counting) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor(0, 200, 80));
            painter.drawPolygon(QPolygon({inner.topLeft(),
                                          QPoint(inner.right() + 1, inner.center().y() + 1),
                                          inner.bottomLeft() + QPoint(0, 1)}));
        } else {
            painter.setBrush(QColor(255, 255, 255));
            bar(10.0, 10.0, 1.8, 5.0);
            bar(13.2, 10.0, 1.8, 5.0);
        }
    }
    painter.end();
    return image;
}

QString name(Mark mark)
{
    switch (mark) {
    case Mark::None: break;
    case Mark::Counting: return QStringLiteral("moriv-counting");
    case Mark::Paused: return QStringLiteral("moriv-paused");
    case Mark::Over: return QStringLiteral("moriv-over");
    }
    return QStringLiteral("moriv");
}

QIcon create(Mark mark)
{
    QIcon icon;
    for (int size : sizes)
        icon.addPixmap(QPixmap::fromImage(render(size, mark)));
    return QIcon::fromTheme(name(mark), icon);
}

} // namespace AppIcon
