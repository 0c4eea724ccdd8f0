// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windowservices.h"

#include <QStringList>

// Records what the main window asked of the window system.
class FakeWindowServices final : public WindowServices
{
public:
    QStringList calls;
    int keyRefreshes = 0;
    int topmostReasserts = 0;
    quintptr focus = 0; // the window that has the keyboard

    void makeOverlay(QWidget *) override { calls << "makeOverlay"; }
    void digitsChanged(QWidget *) override { ++keyRefreshes; }
    void keepOnTop(QWidget *) override { ++topmostReasserts; }
    quintptr focusedWindow() override { return focus; }
    void giveKeyboardTo(quintptr window) override { focus = window; }
    bool showFullScreen = false;
    bool isShowFullScreen(QWidget *) override { return showFullScreen; }
};
