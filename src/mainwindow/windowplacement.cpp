// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/windowplacement.h"

#include "forms/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeWindow(QWidget &window, const QScreen *screen, std::optional<Corner> corner)
{
    // The design's place, from the top left of the screen.
    const QPoint design(Twips::toPixels(3360), Twips::toPixels(1650));
    if (screen)
        window.setScreen(const_cast<QScreen *>(screen)); // another X screen needs its own root
    else
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window.move(design);
        return;
    }
    if (!corner) {
        window.move(screen->geometry().topLeft() + design);
        return;
    }
    const QRect area = screen->availableGeometry().adjusted(16, 16, -16, -16);
    const bool left = *corner == Corner::TopLeft || *corner == Corner::BottomLeft;
    const bool top = *corner == Corner::TopLeft || *corner == Corner::TopRight;
    window.move(left ? area.left() : area.right() + 1 - window.width(),
                top ? area.top() : area.bottom() + 1 - window.height());
}
