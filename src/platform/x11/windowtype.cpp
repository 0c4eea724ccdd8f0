// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/windowtype.h"
#include "platform/x11/connection.h"

#include <QEvent>
#include <QList>
#include <QWidget>

#include <cstdlib>

namespace {

// The types Qt gave the window stay, after ours: a reader takes the first it knows.
void apply(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window->testAttribute(Qt::WA_WState_Created))
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t property = internAtom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t notification = internAtom(connection, "_NET_WM_WINDOW_TYPE_NOTIFICATION");
    if (property == XCB_ATOM_NONE || notification == XCB_ATOM_NONE)
        return;
    QList<xcb_atom_t> types = {notification};
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, id, property, XCB_ATOM_ATOM, 0, 32), nullptr);
    if (reply && reply->format == 32) {
        const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
        for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i)
            if (atoms[i] != notification)
                types.append(atoms[i]);
    }
    std::free(reply);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, property, XCB_ATOM_ATOM, 32,
                        types.size(), types.constData());
    xcb_flush(connection);
}

// A native window made again (another X screen, new flags) starts with Qt's types only.
class Marker final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WinIdChange)
            apply(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

namespace WindowType {

void markAsNotification(QWidget *window)
{
    window->installEventFilter(new Marker(window));
    apply(window);
}

} // namespace WindowType
