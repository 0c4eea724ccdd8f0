// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/inputcells.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>

#include <xcb/shape.h>

#include <vector>

InputCells::InputCells(xcb_connection_t *connection, QWidget *window)
    : QObject(window)
    , m_connection(connection)
    , m_window(window)
{
    m_id = xcb_generate_id(connection);
    const xcb_window_t parent = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Not managed, as the timer itself: the window manager neither frames it nor gives it
    // the keyboard on a click.
    const uint32_t values[] = {1, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_id, parent, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    // Nothing takes a click until the cells are known.
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT,
                         XCB_CLIP_ORDERING_UNSORTED, m_id, 0, 0, 0, nullptr);
    window->installEventFilter(this);
    follow();
}

InputCells::~InputCells()
{
    xcb_destroy_window(m_connection, m_id);
    xcb_flush(m_connection);
}

void InputCells::setCells(const QRegion &cells)
{
    if (cells == m_cells)
        return;
    m_cells = cells;
    const qreal ratio = m_window ? m_window->devicePixelRatioF() : 1;
    std::vector<xcb_rectangle_t> rectangles;
    for (const QRect &cell : cells) {
        const QRect device(QPoint(qRound(cell.x() * ratio), qRound(cell.y() * ratio)),
                           QPoint(qRound((cell.right() + 1) * ratio) - 1,
                                  qRound((cell.bottom() + 1) * ratio) - 1));
        rectangles.push_back({qint16(device.x()), qint16(device.y()), quint16(device.width()),
                              quint16(device.height())});
    }
    xcb_shape_rectangles(m_connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT,
                         XCB_CLIP_ORDERING_UNSORTED, m_id, 0, 0, quint32(rectangles.size()),
                         rectangles.data());
    xcb_flush(m_connection);
}

void InputCells::restack()
{
    if (!m_mapped || !m_window || !m_window->testAttribute(Qt::WA_WState_Created))
        return;
    const uint32_t values[] = {uint32_t(m_window->winId()), XCB_STACK_MODE_ABOVE};
    xcb_configure_window(m_connection, m_id,
                         XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    xcb_flush(m_connection);
}

bool InputCells::take(const xcb_generic_event_t *event)
{
    const uint8_t type = event->response_type & 0x7f;
    if (type != XCB_BUTTON_PRESS && type != XCB_BUTTON_RELEASE)
        return false;
    const auto *button = reinterpret_cast<const xcb_button_press_event_t *>(event);
    if (button->event != m_id)
        return false;
    if (type != XCB_BUTTON_PRESS || !m_window || (button->detail != 1 && button->detail != 3))
        return true;
    const qreal ratio = m_window->devicePixelRatioF();
    const QPoint local(qRound(button->event_x / ratio), qRound(button->event_y / ratio));
    const QPoint global(qRound(button->root_x / ratio), qRound(button->root_y / ratio));
    if (button->detail == 1) {
        // The click that gives the timer the keyboard, at the time of the click: the X
        // server ignores a focus change older than the last one.
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_PARENT, xcb_window_t(m_window->winId()),
                            button->time);
        xcb_flush(m_connection);
        QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window, &press);
    } else {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, local, global);
        QCoreApplication::sendEvent(m_window, &menu);
    }
    return true;
}

bool InputCells::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        follow();
        break;
    default:
        break;
    }
    return false;
}

void InputCells::follow()
{
    if (!m_window)
        return;
    const qreal ratio = m_window->devicePixelRatioF();
    const QRect place = m_window->geometry();
    const uint32_t values[] = {uint32_t(qRound(place.x() * ratio)),
                               uint32_t(qRound(place.y() * ratio)),
                               uint32_t(std::max(1, qRound(place.width() * ratio))),
                               uint32_t(std::max(1, qRound(place.height() * ratio)))};
    xcb_configure_window(m_connection, m_id,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH
                             | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    const bool shown = m_window->isVisible();
    if (shown != m_mapped) {
        m_mapped = shown;
        if (shown)
            xcb_map_window(m_connection, m_id);
        else
            xcb_unmap_window(m_connection, m_id);
    }
    xcb_flush(m_connection);
    restack();
}
