// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/shapedkey.h"

#include <QWidget>

#include <xcb/shape.h>

namespace {

void toRectangles(const QRegion &region, std::vector<xcb_rectangle_t> &rectangles)
{
    rectangles.clear();
    rectangles.reserve(std::size_t(region.rectCount()));
    for (const QRect &rect : region)
        rectangles.push_back({qint16(rect.x()), qint16(rect.y()), quint16(rect.width()),
                              quint16(rect.height())});
}

void send(xcb_connection_t *connection, xcb_window_t window, xcb_shape_op_t op,
          const std::vector<xcb_rectangle_t> &rectangles)
{
    xcb_shape_rectangles(connection, op, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                         window, 0, 0, quint32(rectangles.size()), rectangles.data());
}

} // namespace

bool ShapedKey::apply(xcb_connection_t *connection, QWidget *window)
{
    std::optional<KeyMask::LabelRegions::Shown> shown =
        KeyMask::shownChildren(window, m_labels);
    if (!shown)
        return false;
    m_cells = KeyMask::cellsOf(*shown) & window->rect();
    const KeyMask::LabelRegions::Parts parts = m_labels.split(std::move(*shown));
    QRect changed = m_labels.takeChanged();
    const QRegion qtMask = window->mask();
    if (m_shaped && changed.isNull() && qtMask.isEmpty())
        return true;
    bool wasShaped = m_shaped;
    if (!qtMask.isEmpty()) {
        // The mask Qt was given before the window existed would clip its painting; the shape
        // it made is the one to grow from.
        m_box = qtMask.boundingRect();
        window->clearMask();
        wasShaped = true;
    }
    const QRect box = (parts.rest.boundingRect() | parts.changed.boundingRect()) & window->rect();
    if (changed.isNull())
        changed = m_box | box;
    if (wasShaped && window->testAttribute(Qt::WA_TranslucentBackground)
        && window->isVisible()) {
        // Lit segments of the old text outside the new shape would stay where a compositor
        // shows the window unshaped: the shape first grows to the box around both texts, the
        // changed part is painted (transparent around the digits), then it shrinks. Painting
        // clipped to a box is several times cheaper than clipped to the segments' edges.
        const auto id = static_cast<xcb_window_t>(window->winId());
        const std::vector<xcb_rectangle_t> both{{qint16((m_box | box).x()),
                                                 qint16((m_box | box).y()),
                                                 quint16((m_box | box).width()),
                                                 quint16((m_box | box).height())}};
        send(connection, id, XCB_SHAPE_SO_SET, both);
        window->repaint(changed);
    }
    shape(connection, window, parts.rest, parts.changed);
    m_box = box;
    return true;
}

void ShapedKey::shape(xcb_connection_t *connection, QWidget *window, const QRegion &rest,
                      const QRegion &changed)
{
    const auto id = static_cast<xcb_window_t>(window->winId());
    if (!(rest == m_rest) || !m_shaped) {
        m_rest = rest;
        toRectangles(rest, m_restRectangles);
    }
    send(connection, id, XCB_SHAPE_SO_SET, m_restRectangles);
    m_changed = changed;
    if (!changed.isEmpty()) {
        toRectangles(changed, m_changedRectangles);
        send(connection, id, XCB_SHAPE_SO_UNION, m_changedRectangles);
    }
    m_shaped = true;
}

void ShapedKey::paintWhole(xcb_connection_t *connection, QWidget *window)
{
    const auto id = static_cast<xcb_window_t>(window->winId());
    const QRect whole = window->rect();
    send(connection, id, XCB_SHAPE_SO_SET,
         {{0, 0, quint16(whole.width()), quint16(whole.height())}});
    window->repaint(whole);
    shape(connection, window, m_rest, m_changed);
}
