#pragma once

#include <QRegion>

class QImage;
class QWidget;

namespace KeyMask {

// The pixels of the image that are not exactly black (red 0, green 0, blue 0).
QRegion nonBlackRegion(const QImage &image);

// The widget's own pixels, background and children included, as they would be drawn now,
// whatever mask it has at the moment.
QImage renderWidget(QWidget *widget);

// Masks the widget down to its pixels that are not exactly black. Returns whether the mask
// changed, so that callers only disturb the window system when there is something new.
bool applyColourKey(QWidget *widget);

} // namespace KeyMask
