// SPDX-License-Identifier: GPL-3.0-or-later
// What every platform's window services share.
#include "platform/windowservices.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

void WindowServices::drawTranslucent(QWidget *window)
{
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAutoFillBackground(false);
}

bool WindowServices::isOwnWindow(quintptr native)
{
    for (const QWindow *own : QGuiApplication::topLevelWindows()) {
        if (own->handle() && own->winId() == native)
            return true;
    }
    return false;
}
