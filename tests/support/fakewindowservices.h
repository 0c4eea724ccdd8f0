// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/platform.h"

#include <QStringList>

// Records what the main window asked of the window system.
class FakeWindowServices final : public WindowServices
{
public:
    QStringList calls;
    int keyRefreshes = 0;
    int topmostReasserts = 0;
    quintptr focus = 0; // the window that has the keyboard

    void makeTopmost(QWidget *) override { calls << "makeTopmost"; }
    void makeLayered(QWidget *) override { calls << "makeLayered"; }
    void keyOutBlack(QWidget *) override { calls << "keyOutBlack"; }
    void refreshKeyOut(QWidget *) override { ++keyRefreshes; }
    void reassertTopmost(QWidget *) override { ++topmostReasserts; }
    quintptr focusedWindow() override { return focus; }
    void restoreFocus(quintptr window) override { focus = window; }
    bool showFullScreen = false;
    bool isShowFullScreen(QWidget *) override { return showFullScreen; }
};
