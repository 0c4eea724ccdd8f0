// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keymask.h"

#include <QRect>
#include <QRegion>

#include <vector>

#include <xcb/xcb.h>

class QWidget;

// The key as the X server takes it: the window's bounding shape, set straight from the
// labels' cached pixels in two parts, all but the label that changed and that one, which the
// server unites. Qt's own mask stays unset, so Qt paints what changed whole and never works
// through hundreds of segment edges a tick.
class ShapedKey
{
public:
    // Shapes a black window to its lit pixels; false for any other window, which is keyed
    // through Qt's mask instead.
    bool apply(xcb_connection_t *connection, QWidget *window);
    // Paints the whole window with the shape over all of it, then shapes it again: the X
    // server takes a window's pixels only inside its shape, and a compositor that ignores the
    // shape shows all of them.
    void paintWhole(xcb_connection_t *connection, QWidget *window);

    KeyMask::LabelRegions &labels() { return m_labels; }
    // The digits' cells as the last shape had them, where the mouse is to reach the window.
    const QRegion &cells() const { return m_cells; }

private:
    void shape(xcb_connection_t *connection, QWidget *window, const QRegion &rest,
               const QRegion &changed);

    KeyMask::LabelRegions m_labels;
    QRegion m_cells;
    bool m_shaped = false;
    QRect m_box; // the bounding box of the shape set last
    QRegion m_rest; // the unchanged part, as sent last, and its rectangles
    std::vector<xcb_rectangle_t> m_restRectangles;
    QRegion m_changed; // the part that changed, as sent last
    std::vector<xcb_rectangle_t> m_changedRectangles;
};
