// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/keymask.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// A shaped window is mapped with pixels only inside its shape; outside it the X server leaves
// whatever it had (black, or the desktop below), which a compositor that ignores the shape
// shows as a box around the digits. Once the window is first on screen it is painted whole,
// transparent around the digits, then shaped again.
class FirstExposure final : public QObject
{
public:
    explicit FirstExposure(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *handle = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && handle && handle->isExposed()) {
            handle->removeEventFilter(this);
            // After Qt has painted what the exposure asks for.
            QTimer::singleShot(0, this, [this] {
                const QRegion shape = m_window->mask();
                KeyMask::repaintWithin(m_window, m_window->rect(), m_window->rect());
                m_window->setMask(shape);
                deleteLater();
            });
        }
        return false;
    }

private:
    QWidget *m_window;
};
