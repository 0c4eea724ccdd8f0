// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QRegion>

#include <xcb/xcb.h>

class QWidget;

// Where the mouse reaches the timer: the digits' cells, hollows included. The X server gives
// a window a click only inside its bounding shape, which is the lit pixels, so a click in the
// hollow of a 0 would reach the slide show below. An input-only window of the same place,
// stacked right above the timer and shaped to the cells, takes those clicks and hands them
// to the timer as its own; it draws nothing, so what shows stays the lit pixels.
class InputCells final : public QObject
{
public:
    InputCells(xcb_connection_t *connection, QWidget *window);
    ~InputCells() override;

    xcb_window_t id() const { return m_id; }
    // The cells, in the window's coordinates.
    void setCells(const QRegion &cells);
    // Right above the window, which has just been raised.
    void restack();
    // A button event on the cells goes to the window as its own; true when it was one.
    bool take(const xcb_generic_event_t *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    xcb_connection_t *m_connection;
    QPointer<QWidget> m_window;
    xcb_window_t m_id = 0;
    QRegion m_cells;
    bool m_mapped = false;
};
