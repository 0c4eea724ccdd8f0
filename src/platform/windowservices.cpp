// SPDX-License-Identifier: GPL-3.0-or-later
// What every platform's window services share.
#include "platform/platform.h"

#include <QWidget>

void WindowServices::drawTranslucent(QWidget *window)
{
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAutoFillBackground(false);
}
