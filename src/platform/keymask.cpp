#include "keymask.h"

#include <QImage>
#include <QWidget>

namespace KeyMask {

QRegion nonBlackRegion(const QImage &image)
{
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    // One rectangle per run of non-black pixels in a row: rows in order and runs in order
    // within a row make the banded list that QRegion takes as it is.
    QList<QRect> runs;
    for (int y = 0; y < opaque.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
        int x = 0;
        while (x < opaque.width()) {
            while (x < opaque.width() && (row[x] & 0xffffff) == 0)
                ++x;
            const int start = x;
            while (x < opaque.width() && (row[x] & 0xffffff) != 0)
                ++x;
            if (x > start)
                runs.append(QRect(start, y, x - start, 1));
        }
    }
    QRegion region;
    region.setRects(runs.constData(), static_cast<int>(runs.size()));
    return region;
}

QImage renderWidget(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(widget->palette().color(widget->backgroundRole()));
    widget->render(&image, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren
                       | QWidget::IgnoreMask);
    return image;
}

bool applyColourKey(QWidget *widget)
{
    QRegion region = nonBlackRegion(renderWidget(widget));
    // An empty mask means "no mask" to Qt, which would show the whole black window; keep a
    // single pixel instead when nothing but black is left.
    if (region.isEmpty())
        region = QRegion(0, 0, 1, 1);
    if (region == widget->mask())
        return false;
    widget->setMask(region);
    return true;
}

} // namespace KeyMask
