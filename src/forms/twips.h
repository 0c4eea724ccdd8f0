// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

// Places and sizes of the forms are given in twips (1440 to the inch). They become
// device-independent pixels at 96 dpi; Qt's high-DPI scaling takes it from there.
namespace Twips {

constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    // Rounded to the nearest pixel, halves away from zero, for negative places too.
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((-twips + perPixel / 2) / perPixel);
}

constexpr int fromPixels(int pixels)
{
    return pixels * perPixel;
}

inline QRect toPixels(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace Twips
