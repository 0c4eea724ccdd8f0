// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

// A shaped window is mapped with pixels only inside its shape; outside it the X server leaves
// whatever it had (black, or the desktop below), which a compositor that ignores the shape
// shows as a box around the digits. Once the window is first on screen it is painted whole,
// transparent around the digits, then shaped again.
class FirstExposure final : public QObject
{
public:
    FirstExposure(QWidget *window, std::function<void()> paintWhole)
        : QObject(window)
        , m_paintWhole(std::move(paintWhole))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *handle = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && handle && handle->isExposed()) {
            handle->removeEventFilter(this);
            // After Qt has painted what the exposure asks for.
            QTimer::singleShot(0, this, [this] {
                m_paintWhole();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> m_paintWhole;
};
