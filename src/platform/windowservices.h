// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <memory>

class QWidget;

// What the timer window needs from the window system to float over a slide show. The calls
// may come in any order.
class WindowServices
{
public:
    virtual ~WindowServices() = default;

    // Makes the window an overlay: above every window, a full-screen slide show included,
    // with no frame, and with what is exactly black around the digits neither drawn nor hit
    // by the mouse. Before the window is first shown.
    virtual void makeOverlay(QWidget *window) = 0;
    // The digits changed (a caption, the size): what shows of the window follows them.
    virtual void digitsChanged(QWidget *window) = 0;
    // Puts the window back on top; a slide show may raise itself over other topmost windows.
    virtual void keepOnTop(QWidget *window) = 0;

    // The window that has the keyboard now (0 when unknown), and giving the keyboard to a
    // window: a question or dialog opened by a global shortcut takes it, and on closing
    // returns it to the slide show.
    virtual quintptr focusedWindow() = 0;
    virtual void giveKeyboardTo(quintptr window) = 0;
    // Whether the window that has the keyboard, none of the timer's own, shows full screen on
    // the screen the window is on: a slide show has started.
    virtual bool isShowFullScreen(QWidget *window) = 0;

    // Whether the native window is one of the timer's own (the timer, its question, its
    // dialog): those never count as a slide show, nor get the keyboard handed back.
    static bool isOwnWindow(quintptr native);

protected:
    // A window drawn with per-pixel alpha and no background of its own: what is not a digit
    // stays fully transparent.
    static void drawTranslucent(QWidget *window);
};

namespace Platform {

std::unique_ptr<WindowServices> createWindowServices();

} // namespace Platform
